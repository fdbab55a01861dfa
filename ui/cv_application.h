#pragma once
// TCvApplication: the program's application object. Every event is delivered
// as (part of) a user action (ui/user_action.h), and nothing thrown in an
// event handler leaves the event loop: what a handler did not catch is
// reported as the top of an action reports it, and an industry that does not
// read closes the modal dialog whose event it was. The deliberate fatal stop
// ends the event loop with kFatalStopExitCode instead.

#include <QApplication>

namespace cv {

class TCvApplication : public QApplication {
public:
    TCvApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace cv
