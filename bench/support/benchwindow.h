#pragma once

#include "portresolver.h"
#include "userdialogs.h"

#include <QString>

#include <optional>

namespace tavorin::bench {

// The user of a benchmarked window: OK to every question and to the options
// of an export, and the given file (or a cancel, when none is given) in the
// file dialog.
class AnswersOk final : public UserDialogs
{
public:
    std::optional<QString> chosenFile;

    MessageAnswer messageBox(
        QWidget *, const QString &, const QString &, MessageIcon, MessageButtons) override
    {
        return MessageAnswer::Ok;
    }
    std::optional<QString> fileDialog(QWidget *, FileDialogMode, const QString &, const QString &,
        const QString &, const QString &) override
    {
        return chosenFile;
    }
    bool openUrl(const QUrl &) override { return true; }
    std::optional<ExportOptions> exportOptions(
        QWidget *, ExportKind, const ExportOptions &offered, const PlanFit &) override
    {
        return offered;
    }
    std::optional<int> chooseItem(
        QWidget *, const QString &, const QString &, const QStringList &, int) override
    {
        return 0;
    }
};

// Port 1 is device (a pseudo-terminal of the benchmark's own, or nothing);
// every other port resolves to a device that does not exist, so that no
// benchmark can open a real serial port of the machine.
class FixedPorts final : public PortResolver
{
public:
    explicit FixedPorts(QString device = {})
        : m_device(std::move(device))
    {
    }
    QString deviceName(int portNumber) const override
    {
        return portNumber == 1 && !m_device.isEmpty()
            ? m_device
            : QStringLiteral("/dev/tavorin-bench-no-port");
    }

private:
    QString m_device;
};

} // namespace tavorin::bench
