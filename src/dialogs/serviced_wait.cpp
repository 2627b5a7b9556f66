#include "dialogs/serviced_wait.h"

#include <QCoreApplication>
#include <algorithm>

namespace clipwright {

void ServicedWait::Until(const std::function<bool()>& done) {
    QEventLoop loop;
    loops_.push_back(&loop);
    while (!done()) {
        // Calls queued before this wait began (say, while the handler that waits was being
        // delivered) are delivered first: a nested loop is only woken by newer ones.
        QCoreApplication::sendPostedEvents();
        if (done()) {
            break;
        }
        loop.exec();
    }
    loops_.erase(std::find(loops_.begin(), loops_.end(), &loop));
}

void ServicedWait::Wake() {
    for (QEventLoop* loop : loops_) {
        loop->quit();
    }
}

}  // namespace clipwright
