#include "mainwindow/control_registry.h"

#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "buttons/qb_buttons_h.h"
#include "controls/limiter.h"
#include "controls/param_text_box.h"
#include "controls/peq_graph.h"
#include "controls/slider.h"
#include "mainwindow/slider_instances.h"
#include "platform/twips.h"
#include "tabs/xtab.h"

namespace tuner {

void ControlRegistry::add(const std::string& object_name, QObject* object, ControlKind kind) {
    object->setObjectName(QString::fromStdString(object_name));
    map_[object_name] = Entry{object, kind};
}

const ControlRegistry::Entry* ControlRegistry::find(const std::string& object_name) const {
    auto it = map_.find(object_name);
    return it == map_.end() ? nullptr : &it->second;
}

QObject* ControlRegistry::object(const std::string& object_name) const {
    const Entry* e = find(object_name);
    return e ? e->object.data() : nullptr;
}

QWidget* ControlRegistry::widget(const std::string& object_name) const {
    return qobject_cast<QWidget*>(object(object_name));
}

QWidget* ControlRegistry::container_of(const ControlRow& row) const {
    if (row.container.empty()) return client_;
    if (auto* strip = get<XTab>(row.container); strip && row.container_index >= 0)
        return strip->page(row.container_index);
    return widget(row.container_object_name());
}

namespace {

QWidget* make_widget(const ControlRow& row, QWidget* parent) {
    const QString caption = QString::fromStdString(row.caption);
    switch (row.kind) {
        case ControlKind::Frame: {
            auto* g = new QGroupBox(caption, parent);
            // The window's style sheet draws flat frames without a border (a
            // sheet of their own would take the border from every group inside).
            if (row.flags & kFlat) g->setFlat(true);
            return g;
        }
        case ControlKind::Label: {
            auto* l = new QLabel(caption, parent);
            if (row.flags & kHeading) {
                QFont f = l->font();
                f.setBold(true);
                l->setFont(f);
            }
            return l;
        }
        case ControlKind::TextBox: {
            auto* e = new QLineEdit(caption, parent);
            e->setReadOnly(row.flags & kReadOnly);
            return e;
        }
        case ControlKind::NumericBox: {
            auto* e = new ParamTextBox(parent);
            e->setText(caption);
            e->setAlignment(Qt::AlignCenter);
            return e;
        }
        case ControlKind::Slider: {
            auto* s = new xiSlider(parent);
            load_slider_instance(*s, row);
            return s;
        }
        case ControlKind::Button: {
            auto* b = new qbButtons_H(parent);
            b->model().setButtonStyle(2);
            b->model().setButtonShape(0);
            b->setCaption(caption);
            b->setBackColor(0xC0C0C0);
            return b;
        }
        case ControlKind::CheckBox: return new QCheckBox(caption, parent);
        case ControlKind::OptionButton: return new QRadioButton(caption, parent);
        case ControlKind::ListBox: return new QListWidget(parent);
        case ControlKind::PictureBox: {
            auto* p = new QLabel(parent);
            if (!(row.flags & kFlat)) p->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            return p;
        }
        case ControlKind::Peq: return new PEQ(parent);
        case ControlKind::Limiter: return new Limiter(parent);
        case ControlKind::TabStrip: {
            auto* t = new XTab(parent);
            const QStringList captions = caption.split(QLatin1Char('|'));
            t->setTabCount(static_cast<int>(captions.size()));
            for (int i = 0; i < captions.size(); ++i) t->setTabCaption(i, captions[i]);
            return t;
        }
        case ControlKind::MenuGroup:
        case ControlKind::MenuItem:
        case ControlKind::MenuSeparator: break;
    }
    return nullptr;
}

}  // namespace

QWidget* create_control_widget(const ControlRow& row, QWidget* parent) {
    QWidget* w = make_widget(row, parent);
    if (!w) return nullptr;
    w->setGeometry(twips_to_px(row.left), twips_to_px(row.top), twips_to_px(row.width), twips_to_px(row.height));
    w->setProperty("left_twips", row.left);
    w->setProperty("top_twips", row.top);
    if (row.flags & kHidden) w->setVisible(false);
    return w;
}

}  // namespace tuner
