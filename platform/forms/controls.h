#pragma once

#include <QAction>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace platform::forms {

// A command button: Click while enabled. Space and Enter press it while it has the focus;
// Alt with the letter marked by "&" presses it at once (Qt would animate the press and
// click a moment later). It is never a default button, so Enter in a text box does not
// press it.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    explicit CommandButton(QWidget* parent = nullptr);

signals:
    void Click();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// An option button. The option buttons on one parent form a group with one selected option,
// which is also the group's only tab stop. Click comes when an option becomes the selected
// one, and an option becomes selected whenever it takes the focus: by a click, by its access
// key, or by an arrow key, which moves the focus to the next option of the group.
class OptionButton : public QRadioButton {
    Q_OBJECT

public:
    explicit OptionButton(QWidget* parent = nullptr);

signals:
    void Click();

protected:
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void select();
    void reportFocusAgain();
    void becomeTheTabStop();
    // The options of this one's group, top to bottom.
    QList<OptionButton*> group() const;
};

// A frame whose caption is shown as it stands: a name with "&" in it is not an access key.
// A caption too long for the frame is shortened with an ellipsis; its tooltip and accessible
// name keep it whole.
class Frame : public QGroupBox {
    Q_OBJECT

public:
    explicit Frame(QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showCaption();
    int captionRoom() const;

    QString caption_;
};

// A menu item. Its check mark belongs to the program: choosing the item raises Click and
// leaves the mark as it was, for the handler to set.
class MenuItem : public QAction {
    Q_OBJECT

public:
    MenuItem(const QString& name, const QString& caption, QObject* parent);

signals:
    void Click();
};

} // namespace platform::forms
