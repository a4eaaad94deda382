#include "frame/ExceptionHandler.h"

#include "core/CheckpointTrail.h"
#include "frame/ErrorLog.h"
#include "frame/ExceptionHook.h"
#include "frame/MessageBoxService.h"
#include "frame/SimpleException.h"

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

void TExceptionHandler::ShowErrorBox(const std::string& message, const std::string& caption, QWidget* owner,
                                     bool appendErrorId) {
    std::string text = message;
    if (!TrailEmpty()) {
        if (appendErrorId)
            text += "\r\n\r\nErrorID: " + TopCheckpoint();
        UnwindTrail(false);
    }
    boxes_.Show(owner ? owner : mainWindow_, text, caption, TMsgIcon::Error, TMsgButtons::Ok);
}

TExceptionHandler::TExceptionHandler(IMessageBoxes& boxes, const TErrorLog& log) : boxes_(boxes), log_(log) {
    SetApplicationExceptionHook([this](std::exception_ptr error) { HandleException(error); });
}

TExceptionHandler::~TExceptionHandler() {
    SetApplicationExceptionHook({});
}

void TExceptionHandler::HandleException(std::exception_ptr error) {
    const TReportTexts texts = TextsOf(error);
    log_.Write(texts.Logged);
    ShowErrorBox(texts.Shown, ErrorCaption, nullptr, true);
}
