#pragma once

#include "frame/MessageBoxService.h"

#include <deque>
#include <string>
#include <vector>

// Message boxes that record what was shown and answer from a queue, so that no test blocks.
class TRecordingBoxes : public IMessageBoxes {
public:
    struct TShown {
        std::string Text;
        std::string Caption;
        TMsgIcon Icon;
    };

    TMsgResult Show(QWidget*, const std::string& text, const std::string& caption, TMsgIcon icon,
                    TMsgButtons buttons) override {
        shown.push_back({text, caption, icon});
        if (!answers.empty()) {
            const TMsgResult answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == TMsgButtons::YesNo ? TMsgResult::Yes : TMsgResult::Ok;
    }

    std::vector<TShown> shown;
    std::deque<TMsgResult> answers;
};
