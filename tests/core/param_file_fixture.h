// A program folder in a scratch directory, the recording window services and
// file dialogs that answer as told: what the parameter-file tests share.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>

#include "core/app_paths.h"
#include "core/default_image.h"
#include "core/file_dialogs.h"
#include "core/param_file.h"
#include "support/link_harness.h"
#include "temp_files.h"

namespace tuner::testing {

struct FakeDialogs : FileDialogs {
    std::optional<std::string> answer;
    FileDialogRequest last;
    std::optional<std::string> show_open(const FileDialogRequest& r) override { return last = r, answer; }
    std::optional<std::string> show_save(const FileDialogRequest& r) override { return show_open(r); }
};

struct ParamFileTest : ::testing::Test {
    void SetUp() override { set_app_dir(dir.path.string()); }
    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(dir.path / name, std::ios::binary) << text;
        return dir.file(name);
    }
    LoadResult load(const std::string& name, const std::string& text) {
        return load_param_file(s, ui, write(name, text), LoadKind::User);
    }

    TempDir dir{"param_file"};
    AppState s;
    RecordingWindowServices ui{s};
    FakeDialogs dialogs;
    const ParamImage neutral = neutral_param_image();
    const std::string neutral_text = param_file_text(neutral);
};

}  // namespace tuner::testing
