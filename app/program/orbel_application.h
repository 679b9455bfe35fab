#pragma once
// The application object: every error that escapes an event handler while
// the message loop runs goes to one handler.

#include <QApplication>
#include <exception>
#include <functional>

namespace orbel {

class OrbelApplication : public QApplication {
    Q_OBJECT
public:
    OrbelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    // From here on errors go to the handler; before, they end the process.
    void setLoopRunning(bool on) { loopRunning_ = on; }
    // Who takes an error while the loop runs (null error: not a standard
    // one); false when nobody can, and the process ends as at start-up.
    using ErrorHandler = std::function<bool(QObject* sender, const std::exception* error)>;
    void setErrorHandler(ErrorHandler handler) { errorHandler_ = std::move(handler); }

private:
    bool loopRunning_ = false;
    ErrorHandler errorHandler_;
};

}  // namespace orbel
