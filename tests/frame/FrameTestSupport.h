#pragma once

#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "frame/ErrorLog.h"
#include "frame/MessageBoxService.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pt-frame-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

struct TShownBox {
    QWidget* Owner;
    std::string Text;
    std::string Caption;
    TMsgIcon Icon;
    TMsgButtons Buttons;
};

// Records every box and answers with Answer.
class TFakeBoxes : public IMessageBoxes {
public:
    TMsgResult Show(QWidget* owner, const std::string& text, const std::string& caption, TMsgIcon icon,
                    TMsgButtons buttons) override {
        Shown.push_back({owner, text, caption, icon, buttons});
        return Answer;
    }
    std::vector<TShownBox> Shown;
    TMsgResult Answer = TMsgResult::Ok;
};

// Each test has its own empty settings and data folders, an empty trail, no error log and recorded boxes.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_CONFIG_HOME", (temp_ / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (temp_ / "data").c_str(), 1);
        UnwindTrail(true);
    }
    void TearDown() override { UnwindTrail(true); }

    std::string StorePath() const { return temp_ / "config/Pellox/Termwright.reg"; }
    std::string FallbackLogPath() const { return temp_ / "data/VANT/Docs/errors.txt"; }

    TempFolder temp_;
    TFakeBoxes boxes_;
    TBusinessLogicLayer lists_;
    TErrorLog log_;
};
