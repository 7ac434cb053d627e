// Renders the strips the main window shows (and the other looks) to PNG
// files in the test-output folder, for a person to look at.
#include <array>

#include <gtest/gtest.h>
#include <QDir>
#include <QPainter>

#include "tabs/xtab_model.h"

namespace tuner {
namespace {

const char* const kEnglish[] = {"MUSIC", "MIC", "EFFECT", "MAIN OUT", "SUB OUT"};
const char* const kChinese[] = {"音乐", "麦克风", "效果", "主输出", "重低音输出"};

// The main window's channel strip: five tabs, theme 0, no focus rectangle.
void channel_strip(XTabModel& m, const char* const* captions) {
    m.setTabCount(5);
    m.set(&XTabProps::ShowFocusRect, false);
    for (int i = 0; i < 5; ++i) m.setTabCaption(i, QString::fromUtf8(captions[i]));
    m.Resize(420, 60);
}

// Stacks the images with a gap, scaled up two times, and saves them.
void save_sheet(const std::vector<QImage>& images, const char* name) {
    int w = 0;
    int h = 0;
    for (const QImage& i : images) w = std::max(w, i.width()), h += i.height() + 4;
    QImage out(w * 2, h * 2, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    int y = 0;
    for (const QImage& i : images) {
        p.drawImage(QRect(0, y * 2, i.width() * 2, i.height() * 2), i);
        y += i.height() + 4;
    }
    p.end();
    QDir().mkpath(QStringLiteral(TUNER_TEST_OUTPUT_DIR));
    ASSERT_TRUE(out.save(QStringLiteral(TUNER_TEST_OUTPUT_DIR "/") + QLatin1String(name)));
}

TEST(XTabRender, ChannelTabsEachActiveBothLanguages) {
    for (const auto& [captions, name] :
         {std::pair{kEnglish, "tabs_channel_english.png"}, std::pair{kChinese, "tabs_channel_chinese.png"}}) {
        XTabModel m;
        channel_strip(m, captions);
        std::vector<QImage> shots;
        for (int a = 0; a < 5; ++a) {
            m.setActiveTab(a);
            shots.push_back(m.surface().image().copy());
        }
        save_sheet(shots, name);
    }
}

TEST(XTabRender, MainVolumeEveryLookAndHover) {
    std::vector<QImage> shots;
    XTabModel vol;
    vol.setTabCount(1);
    vol.setTabCaption(0, QStringLiteral("MAIN VOLUME"));
    vol.Resize(200, 80);
    shots.push_back(vol.surface().image().copy());
    QImage pic(16, 16, QImage::Format_RGB32);
    pic.fill(0xC0C0C0);  // the mask colour, with a red square that shows
    QPainter(&pic).fillRect(4, 4, 8, 8, Qt::red);
    for (int look = 0; look < 10; ++look) {
        XTabModel m;
        m.setTabCount(4);
        for (int i = 0; i < 4; ++i) {
            m.setTabCaption(i, QString::fromUtf16(std::array{u"&General", u"Disabled", u"Mi&xer && EQ",
                                                             u"A caption far too long"}[i]));
        }
        m.setTabEnabled(1, false);
        m.setTabPicture(0, pic);
        m.set(&XTabProps::TabStyle, look / 5);
        m.setTabTheme(look % 5);
        m.set(&XTabProps::UseControlBox, look % 5 == 2);
        m.Resize(420, 70);
        m.setActiveTab(2);
        m.FocusChanged(true);
        shots.push_back(m.surface().image().copy());
    }
    XTabModel hover;  // PropertyPages, theme 1, with the pointer over tab 3
    hover.set(&XTabProps::TabStyle, kTabStylePropertyPages);
    hover.setTabTheme(1);
    channel_strip(hover, kChinese);
    hover.pHandleMouseMove(hover.tab(3).rect.left + 10, 8);
    shots.push_back(hover.surface().image().copy());
    save_sheet(shots, "tabs_looks.png");
}

}  // namespace
}  // namespace tuner
