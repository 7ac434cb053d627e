// The open and save dialogs through which the user chooses every file. The
// program shows Qt's dialogs; tests answer with a fake.
#pragma once

#include <optional>
#include <string>

namespace tuner {

constexpr const char* kParamFileFilter = "AudioParmFile (*.ktv)|*.ktv";
constexpr const char* kTextFileFilter = "TXTFile (*.txt)|*.txt";

struct FileDialogRequest {
    // The dialog's title; empty leaves the dialog's own.
    std::string title;
    // Pairs "description|pattern", several joined by "|".
    std::string filter;
    int filter_index = 0;
    // Folder the dialog starts in; empty leaves the choice to the dialog.
    std::string init_dir;
    // Pre-filled file name (cleared before save dialogs).
    std::string file_name;
    // Save dialogs ask before replacing an existing file.
    bool confirm_overwrite = true;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nullopt when cancelled or no name was given.
    virtual std::optional<std::string> show_open(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> show_save(const FileDialogRequest& request) = 0;

    // The file name the dialogs share, kept from one dialog to the next: the
    // last path chosen. An open dialog starts from it as it is; a save dialog
    // clears it first. A chosen path becomes the new name.
    std::string file_name;
    std::optional<std::string> run_open(FileDialogRequest request);
    std::optional<std::string> run_save(FileDialogRequest request);
};

// The dialog set-up for parameter files: filter, start folder beside the program.
FileDialogRequest param_file_dialog_request();

// The save dialog for text files (no start folder); empty when cancelled.
std::string save_txt_file_dialog(FileDialogs& dialogs);

}  // namespace tuner
