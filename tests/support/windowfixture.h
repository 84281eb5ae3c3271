#pragma once

#include "form1.h"
#include "listbox.h"
#include "pointtable.h"
#include "scripteddialogs.h"
#include "testsupport.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

#include <gtest/gtest.h>

#include <memory>

namespace tavorin::test {

// A real Form1 on the offscreen platform, with a fresh point table and
// scripted dialogs, and lookups of its controls by name.
class WindowTest : public ::testing::Test
{
protected:
    // Each test starts with nothing remembered (settings of the test run's
    // own, see windowmain.cpp).
    void SetUp() override
    {
        remembered()->clear();
        createWindow();
    }

    // What the window remembers (the zone), as it reads and writes it.
    static std::unique_ptr<QSettings> remembered()
    {
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
            QStringLiteral("Tavorin"), QStringLiteral("tavorin"));
    }

    void createWindow()
    {
        form.reset();
        table = std::make_unique<PointTable>();
        form = std::make_unique<Form1>(dialogs, *ports, *table);
        form->show();
    }

    template <typename T> T *control(const QString &name) const
    {
        T *found = form->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << "no control " << name.toStdString();
        return found;
    }
    ListBox *list(int n) const { return control<ListBox>(QStringLiteral("List%1").arg(n)); }
    // The positions selected in List1, in order.
    QList<int> selected() const
    {
        QList<int> positions;
        for (int p = 0; p < list(1)->listCount(); ++p)
            if (list(1)->isSelected(p))
                positions.append(p);
        return positions;
    }
    QRadioButton *option(int group, int index) const
    {
        return control<QRadioButton>(QStringLiteral("Option%1_%2").arg(group).arg(index));
    }
    QLineEdit *text1(int i) const { return control<QLineEdit>(QStringLiteral("Text1_%1").arg(i)); }
    QPushButton *command(int number) const
    {
        return control<QPushButton>(QStringLiteral("Command%1").arg(number));
    }
    QLabel *label(const QString &name) const { return control<QLabel>(name); }
    QAction *menuAction(const QString &name) const { return control<QAction>(name); }

    // The label shows all of its caption: the caption's width and line height
    // in the label's font fit inside it, and it covers no other control.
    static void expectWholeCaption(const QLabel *shown)
    {
        const std::string what = (shown->objectName() + u' ' + shown->text()).toStdString();
        const QFontMetrics metrics(shown->font());
        EXPECT_LE(metrics.horizontalAdvance(shown->text()), shown->contentsRect().width()) << what;
        EXPECT_LE(metrics.height(), shown->contentsRect().height()) << what;
        for (const QWidget *other :
            shown->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(other == shown || !other->geometry().intersects(shown->geometry()))
                << what << " covers " << other->objectName().toStdString();
    }

    // The messages shown so far, each as "title|prompt".
    QStringList prompts() const
    {
        QStringList shown;
        for (const auto &m : dialogs.messages)
            shown << m.title + u'|' + m.prompt;
        return shown;
    }
    // The file dialogs shown, each as "Open|Save filter|name|extension", the
    // name offered relative to folder, and "|title" where one was given.
    QStringList fileDialogs(const QDir &folder) const
    {
        QStringList shown;
        for (const auto &r : dialogs.fileRequests)
            shown << QString::fromUtf16(r.mode == FileDialogMode::Open ? u"Open " : u"Save ")
                    + r.filter + u'|'
                    + (r.initialName.isEmpty() ? QString() : folder.relativeFilePath(r.initialName))
                    + u'|' + r.defaultSuffix + (r.title.isEmpty() ? QString() : u'|' + r.title);
        return shown;
    }
    // A failure box's "title|prompt", which shows the failure number.
    static QString failure(int number)
    {
        return QStringLiteral("エラーメッセージ|エラーコード  %1").arg(number);
    }

    // Lists points as reading a file that holds them does, in place of
    // what was listed.
    void loadPoints(const QList<PointRecord> &points)
    {
        form->openAtStart(form->currentFilePath(), readingOf(points));
    }

    // A reading of points whose file says no more of them than the points
    // hold: the records are the points, without numbers or elevations.
    static PointFileReading readingOf(
        const QList<PointRecord> &points, int zone = 0, const QString &jobName = {})
    {
        PointFileReading reading;
        reading.points = points;
        for (qsizetype p = 0; p < points.size(); ++p)
            reading.records.append({ {}, points[p].name, points[p].x, points[p].y, {}, p + 1 });
        reading.zone = zone;
        reading.jobName = jobName;
        return reading;
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<PortResolver> ports = std::make_unique<TestPorts>();
    std::unique_ptr<PointTable> table;
    std::unique_ptr<Form1> form;
};

} // namespace tavorin::test
