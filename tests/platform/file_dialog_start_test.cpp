// Where Qt's open and save dialogs start, read off the dialog the user sees.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include "core/temp_files.h"
#include "platform/qt_file_dialogs.h"

namespace tuner::testing {
namespace {

struct Shown {
    std::string folder, file_name;
};

// Runs one dialog, reads its folder and file-name field once it is up, and cancels it.
Shown shown_by(bool save, const FileDialogRequest& r) {
    Shown seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        poll.stop();
        seen.folder = d->directory().absolutePath().toStdString();
        if (auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            seen.file_name = edit->text().toStdString();
        d->reject();
    });
    poll.start(10);
    QtFileDialogs dialogs;
    const auto chosen = save ? dialogs.show_save(r) : dialogs.show_open(r);
    EXPECT_FALSE(chosen.has_value()) << "a cancelled dialog chose " << chosen.value_or("");
    return seen;
}

// A parameter folder that cannot be made (a file holds its name) leaves the
// dialogs in the folder above, with no file name; one that can be made is
// made and the dialogs start in it.
TEST(QtFileDialogs, StartInTheNearestFolderThatExists) {
    TempDir dir("dialog_start");
    std::ofstream(dir.file("AudioParmFile")) << "a file where the folder should be";
    for (bool save : {false, true}) {
        SCOPED_TRACE(save ? "save dialog" : "open dialog");
        FileDialogRequest r;
        r.filter = kParamFileFilter;
        r.init_dir = dir.file("AudioParmFile");
        const Shown blocked = shown_by(save, r);
        EXPECT_EQ(blocked.folder, dir.path.string()) << "start folder when the folder cannot be made";
        EXPECT_EQ(blocked.file_name, "") << "file name when the folder cannot be made";

        r.init_dir = dir.file("made/AudioParmFile");
        const Shown made = shown_by(save, r);
        EXPECT_EQ(made.folder, r.init_dir) << "start folder when it can be made";
        EXPECT_EQ(made.file_name, "") << "file name when the folder can be made";
    }
}

// After a file is chosen, an open dialog starts at it (its folder, its name), not in the parameter folder;
// the text-file save dialog has no start folder of its own: Qt starts it where a file dialog last was.
TEST(QtFileDialogs, OpenStartsAtTheLastFileAndTheTextSaveWhereADialogLastWas) {
    TempDir dir("dialog_last");
    std::filesystem::create_directories(dir.path / "elsewhere");
    std::ofstream(dir.file("elsewhere/chosen.ktv")) << "x";
    FileDialogRequest open = param_file_dialog_request();
    open.init_dir = dir.file("AudioParmFile");
    open.file_name = dir.file("elsewhere/chosen.ktv");
    const Shown again = shown_by(false, open);
    EXPECT_EQ(again.folder, dir.file("elsewhere")) << "open dialog after a file was chosen";
    EXPECT_EQ(again.file_name, "chosen.ktv") << "open dialog after a file was chosen";

    FileDialogRequest text;
    text.filter = kTextFileFilter;
    const Shown save = shown_by(true, text);
    EXPECT_EQ(save.folder, dir.file("elsewhere")) << "text-file save dialog";
}

}  // namespace
}  // namespace tuner::testing
