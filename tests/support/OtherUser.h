#pragma once

#include <sys/fsuid.h>
#include <unistd.h>

// While the object lives, files are opened as an ordinary user would open them, also when the tests run as
// root, who may read and write anything: the thread's filesystem identity becomes "nobody". Active() is
// false where that identity can't be taken.
class TFileAccessAsOtherUser {
public:
    TFileAccessAsOtherUser() {
        if (geteuid() != 0) {
            active_ = true;
            return;
        }
        setfsgid(Nobody);
        setfsuid(Nobody);
        // setfsuid answers the identity it found, so a second call tells whether the first one took.
        switched_ = setfsuid(Nobody) == static_cast<int>(Nobody);
        active_ = switched_;
    }
    ~TFileAccessAsOtherUser() {
        if (switched_) {
            setfsuid(0);
            setfsgid(0);
        }
    }
    TFileAccessAsOtherUser(const TFileAccessAsOtherUser&) = delete;
    TFileAccessAsOtherUser& operator=(const TFileAccessAsOtherUser&) = delete;

    bool Active() const { return active_; }

private:
    static constexpr uid_t Nobody = 65534;
    bool switched_ = false;
    bool active_ = false;
};
