// Playing a user through real widgets in tests of the desktop driver: steps run one per turn
// of the event loop, inside whatever modal loop runs then.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

namespace vcl::qt {

// Steps played one per turn of the event loop, inside whatever modal loop runs then; the next
// step is queued before one runs, so a step that opens a message box is answered by the next.
class Player {
public:
    void Add(std::function<void()> step) { steps_.push_back({std::move(step), false, false}); }
    // A step that ends a nested loop (closes a modal form): the next one waits until it has
    // unwound, so the handler that opened the loop has finished.
    void Closing(std::function<void()> step) { steps_.push_back({std::move(step), false, true}); }
    // Answers a message box or file dialog: runs once one is up, then as Closing.
    void Answer(std::function<void()> step) { steps_.push_back({std::move(step), true, true}); }
    void Start() { QTimer::singleShot(20, &context_, [this] { Next(); }); }

private:
    struct Entry {
        std::function<void()> run;
        bool answers;
        bool closes;
    };
    void Next() {
        if (steps_.empty()) return;
        if (steps_.front().answers && !QApplication::activeModalWidget()) {
            QTimer::singleShot(20, &context_, [this] { Next(); });  // the box is not up yet
            return;
        }
        Entry step = std::move(steps_.front());
        steps_.pop_front();
        // Work a list's closing left queued runs before the user's next action.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        if (!step.closes) QTimer::singleShot(20, &context_, [this] { Next(); });
        step.run();
        if (step.closes) QTimer::singleShot(60, &context_, [this] { Next(); });
    }
    std::deque<Entry> steps_;
    QObject context_;  // its timers go with the player, never into the next test

public:
    QObject* Context() { return &context_; }
};

inline QMessageBox* OpenMessage() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

}  // namespace vcl::qt
