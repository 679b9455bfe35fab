#pragma once
// The application object: every error that escapes an event handler while
// the message loop runs goes to one handler.

#include <QApplication>

namespace orbel {

class OrbelApplication : public QApplication {
    Q_OBJECT
public:
    OrbelApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
    // From here on errors go to the handler; before, they end the process.
    void setLoopRunning(bool on) { loopRunning_ = on; }

private:
    bool loopRunning_ = false;
};

}  // namespace orbel
