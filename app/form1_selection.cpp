// Choosing points into the transfer list: the selection modes, the direction,
// the prefix and range entries, "決定" and clearing the list.
#include "form1.h"

#include "listbox.h"
#include "listline.h"
#include "pointtable.h"
#include "selection.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace tavorin {

namespace {

// The character code a key press types into an entry: 13 for either Enter
// key, the typed character otherwise, nothing for keys that type nothing
// (arrows, Shift, function keys), which never reach Text1_KeyPress.
std::optional<int> keyAscii(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return 13;
    if (event.text().isEmpty())
        return std::nullopt;
    return event.text().at(0).unicode();
}

// Hands every key press in an entry to a handler, which may swallow it.
class KeyPressFilter final : public QObject
{
public:
    KeyPressFilter(std::function<bool(const QKeyEvent &)> handler, QObject *parent)
        : QObject(parent)
        , m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress)
            return m_handler(static_cast<const QKeyEvent &>(*event));
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(const QKeyEvent &)> m_handler;
};

} // namespace

// Arrow keys inside an option group. Qt selects the next button by clicking
// it, which runs its handler, and only then gives it the focus; a handler
// that moves the focus to its entry would lose to that. This lets the
// button's own arrow-key handling run first and then applies the focus the
// handler asked for.
class OptionNavigation final : public QObject
{
    Q_OBJECT

public:
    explicit OptionNavigation(QObject *parent)
        : QObject(parent)
    {
    }

    // Called by a handler that moves the focus: kept only while an arrow key
    // is being handled.
    void focusAfterNavigation(QWidget *widget)
    {
        if (m_navigating)
            m_focus = widget;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_navigating || event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            break;
        default:
            return QObject::eventFilter(watched, event);
        }
        m_navigating = true;
        m_focus = nullptr;
        QCoreApplication::sendEvent(watched, event);
        m_navigating = false;
        if (m_focus)
            m_focus->setFocus();
        m_focus = nullptr;
        event->accept();
        return true;
    }

private:
    bool m_navigating = false;
    QPointer<QWidget> m_focus;
};

void Form1::connectSelection()
{
    m_optionNavigation = new OptionNavigation(this);
    for (QRadioButton *button : Option1)
        button->installEventFilter(m_optionNavigation);
    for (QRadioButton *button : Option2)
        button->installEventFilter(m_optionNavigation);

    for (qint16 i = 0; i < qint16(Text1.size()); ++i) {
        Text1[i]->installEventFilter(new KeyPressFilter(
            [this, i](const QKeyEvent &event) {
                std::optional<int> code = keyAscii(event);
                if (!code)
                    return false;
                int KeyAscii = *code;
                Text1_KeyPress(i, KeyAscii);
                return KeyAscii == 0;
            },
            Text1[i]));
    }
}

void Form1::addPoint(int p)
{
    List2->addItem(ListLine::form(m_table.at(p)));
}

void Form1::Command1_Click()
{
    if (!Option1[0]->isChecked() || !Option2[0]->isChecked())
        return;
    const int n = List1->listCount();
    // The selected state of every position, read once from the selection's
    // ranges rather than asked position by position.
    std::vector<bool> picked(std::size_t(n), false);
    for (const QItemSelectionRange &range : List1->selectionModel()->selection()) {
        for (int p = std::max(range.top(), 0); p <= range.bottom() && p < n; ++p)
            picked[std::size_t(p)] = true;
    }
    // All of 10,001 points may be picked: the transfer list's rows grow once.
    List2->reserve(int(std::count(picked.cbegin(), picked.cend(), true)));
    selection::addPicked(
        n, [&](int p) { return bool(picked[std::size_t(p)]); }, [this](int p) { addPoint(p); });
}

void Form1::Command4_Click()
{
    List2->clear();
}

void Form1::Option1_Click(qint16 Index)
{
    switch (Index) {
    case 1:
        if (!Option2[0]->isChecked())
            return;
        List2->clear();
        selection::addAll(List1->listCount(), [this](int p) { addPoint(p); });
        return;
    case 2:
    case 3: {
        QLineEdit *entry = Text1[Index == 2 ? 0 : 1];
        entry->setText(QString());
        entry->setFocus();
        m_optionNavigation->focusAfterNavigation(entry);
        return;
    }
    default:
        return;
    }
}

void Form1::Option2_Click(qint16 Index)
{
    if (Index != 0)
        return;
    // Choosing the direction to the pocket computer chooses "SIMAリストより"
    // as the user would.
    Option1[0]->setChecked(true);
    Option1_Click(0);
}

void Form1::Text1_KeyPress(qint16 Index, int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    // Enter never reaches either entry, whatever the mode and direction.
    KeyAscii = 0;
    const auto add = [this](int p) { addPoint(p); };
    const auto lineCount = [this] { return List2->listCount(); };
    if (Index == 0) {
        if (Option1[2]->isChecked() && Option2[0]->isChecked())
            selection::addByPrefix(m_table, List1->listCount(), Text1[0]->text(), add, lineCount);
    } else {
        if (Option1[3]->isChecked() && Option2[0]->isChecked())
            selection::addRange(m_table, List1->listCount(), Text1[1]->text(), add, lineCount);
    }
}

} // namespace tavorin

#include "form1_selection.moc"
