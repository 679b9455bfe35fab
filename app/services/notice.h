#pragma once
// Message boxes of the program. Every box goes through the program's
// Notices, so tests can answer them without a person.

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <functional>

namespace orbel {

enum class NoticeKind { Plain, Question };
enum class NoticeIcon { Information, Warning };
enum class NoticeButtons { Ok, YesNoCancel };

// Answers as the platform's message boxes number them.
namespace answer {
constexpr int Ok = 1, Cancel = 2, Yes = 6, No = 7;
}

struct NoticeRequest {
    QString text;
    NoticeKind kind = NoticeKind::Plain;
    NoticeIcon icon = NoticeIcon::Information;
    NoticeButtons buttons = NoticeButtons::Ok;
    // A plain box that does not wait for its OK (ShowPassingNotice).
    bool passing = false;
};

// Replaces the boxes (tests); an empty function restores them.
using NoticePresenter = std::function<int(const NoticeRequest&)>;

// The program's message boxes, under its title. (Kept apart from the
// toolkit's display name, which the desktop would append to every title.)
class Notices {
public:
    explicit Notices(QString title) : title_(std::move(title)) {}

    // Plain: an information box with OK under the application title; returns 1.
    int Show(const QString& text) const;
    // Question: a box of the given icon and buttons; returns the button pressed.
    int Show(const QString& text, NoticeIcon icon, NoticeButtons buttons) const;
    // Passing: a plain box shown without waiting, for a notice the program
    // may take back (closing the box). Null when a test's presenter took it.
    QPointer<QMessageBox> ShowPassing(const QString& text, const QString& objectName) const;

    const QString& title() const { return title_; }
    void setPresenter(NoticePresenter presenter) { presenter_ = std::move(presenter); }

private:
    int present(const NoticeRequest& r) const;

    QString title_;
    NoticePresenter presenter_;
};

}  // namespace orbel
