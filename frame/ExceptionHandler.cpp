#include "frame/ExceptionHandler.h"

#include "core/CheckpointTrail.h"
#include "frame/ErrorLog.h"
#include "frame/ExceptionHook.h"
#include "frame/MessageBoxService.h"
#include "frame/SimpleException.h"

TExceptionHandler* ExceptionHandler = nullptr;

namespace {

struct TReportTexts {
    std::string Logged;
    std::string Shown;
};

TReportTexts TextsOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const ESimpleException& e) {
        return {e.Message, e.DisplayText};
    } catch (const Exception& e) {
        return {e.Message, e.Message};
    } catch (const std::exception& e) {
        return {e.what(), e.what()};
    } catch (...) {
        return {"Unknown exception", "Unknown exception"};
    }
}

} // namespace

void ShowErrorBox(const std::string& message, const std::string& caption, QWidget* owner,
                  bool appendErrorId) {
    std::string text = message;
    if (!TrailEmpty()) {
        if (appendErrorId)
            text += "\r\n\r\nErrorID: " + TopCheckpoint();
        UnwindTrail(false);
    }
    MessageBoxes().Show(owner ? owner : MainWindowHandle, text, caption, TMsgIcon::Error, TMsgButtons::Ok);
}

TExceptionHandler::TExceptionHandler() {
    SetApplicationExceptionHook([this](std::exception_ptr error) { HandleException(error); });
}

TExceptionHandler::~TExceptionHandler() {
    SetApplicationExceptionHook({});
}

void TExceptionHandler::HandleException(std::exception_ptr error) {
    const TReportTexts texts = TextsOf(error);
    LogError(texts.Logged);
    ShowErrorBox(texts.Shown, ErrorCaption, nullptr, true);
}

void CreateExceptionHandler() {
    ExceptionHandler = new TExceptionHandler();
}

void DestroyExceptionHandler() {
    delete ExceptionHandler;
    ExceptionHandler = nullptr;
}
