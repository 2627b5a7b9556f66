// Waiting on the user-interface thread without stopping it: a local event loop runs until a
// condition holds, so a worker's blocking calls onto this thread and its posts still go through.
// User-interface thread only.
#pragma once

#include <QEventLoop>
#include <functional>
#include <vector>

namespace clipwright {

class ServicedWait {
public:
    // Returns once done() holds; done is checked first and again after every Wake().
    void Until(const std::function<bool()>& done);
    // Makes every running Until check its condition again. Call it from the notification
    // that the condition may have changed (a queued call from the worker).
    void Wake();

private:
    std::vector<QEventLoop*> loops_;  // running waits, innermost last; not owned
};

}  // namespace clipwright
