#include "frame/MessageBoxService.h"

namespace {

class TSilentBoxes : public IMessageBoxes {
public:
    TMsgResult Show(QWidget*, const std::string&, const std::string&, TMsgIcon,
                    TMsgButtons buttons) override {
        return buttons == TMsgButtons::YesNo ? TMsgResult::No
               : buttons == TMsgButtons::Ok  ? TMsgResult::Ok
                                             : TMsgResult::Cancel;
    }
};

TSilentBoxes g_silent;
IMessageBoxes* g_boxes = nullptr;

} // namespace

QWidget* MainWindowHandle = nullptr;

void InstallMessageBoxes(IMessageBoxes* boxes) {
    g_boxes = boxes;
}

IMessageBoxes& MessageBoxes() {
    return g_boxes ? *g_boxes : g_silent;
}
