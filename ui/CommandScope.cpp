#include "ui/CommandScope.h"

TCommandScope::TCommandScope(TCommandBrackets& brackets) : brackets_(brackets) {
    if (brackets_.depth_++ != 0 || !brackets_.observer_)
        return;
    try {
        brackets_.observer_->CommandStarting();
    } catch (...) {
        --brackets_.depth_;
        throw;
    }
}

TCommandScope::~TCommandScope() {
    if (--brackets_.depth_ == 0 && brackets_.observer_)
        brackets_.observer_->CommandEnded();
}
