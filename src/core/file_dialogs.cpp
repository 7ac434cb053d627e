#include "core/file_dialogs.h"

#include "core/app_paths.h"

namespace tuner {

FileDialogRequest param_file_dialog_request() {
    FileDialogRequest r;
    r.filter = kParamFileFilter;
    r.init_dir = app_file(kParamFolderName);
    return r;
}

std::optional<std::string> FileDialogs::run_open(FileDialogRequest request) {
    request.file_name = file_name;
    auto chosen = show_open(request);
    if (chosen && chosen->empty()) chosen.reset();
    if (chosen) file_name = *chosen;
    return chosen;
}

std::optional<std::string> FileDialogs::run_save(FileDialogRequest request) {
    file_name.clear();
    request.file_name.clear();
    auto chosen = show_save(request);
    if (chosen && chosen->empty()) chosen.reset();
    if (chosen) file_name = *chosen;
    return chosen;
}

std::string save_txt_file_dialog(FileDialogs& dialogs) {
    FileDialogRequest r;
    r.filter = kTextFileFilter;
    return dialogs.run_save(r).value_or(std::string());
}

}  // namespace tuner
