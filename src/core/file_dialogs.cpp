#include "core/file_dialogs.h"

#include "core/app_paths.h"

namespace tuner {

FileDialogRequest param_file_dialog_request() {
    FileDialogRequest r;
    r.filter = kParamFileFilter;
    r.init_dir = app_file(kParamFolderName);
    return r;
}

std::string save_txt_file_dialog(FileDialogs& dialogs) {
    FileDialogRequest r;
    r.filter = kTextFileFilter;
    return dialogs.show_save(r).value_or(std::string());
}

}  // namespace tuner
