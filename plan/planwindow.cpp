#include "planwindow.h"

#include "plantext.h"
#include "planwidget.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace tavorin {

PlanWindow::PlanWindow(PointTable &table, QItemSelectionModel *list1Selection,
    QAbstractItemModel *list2, const QFont &nameFont, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_plan(new PlanWidget(table, list1Selection, list2, this))
    , m_cursor(new QLabel(this))
    , m_withoutCoordinates(new QLabel(this))
{
    setObjectName(QStringLiteral("PlanWindow"));
    setWindowTitle(PlanText::Caption);
    setAttribute(Qt::WA_DeleteOnClose);
    m_plan->setObjectName(QStringLiteral("Plan"));
    m_cursor->setObjectName(QStringLiteral("PlanCursor"));
    m_withoutCoordinates->setObjectName(QStringLiteral("PlanWithoutCoordinates"));
    m_plan->setFont(nameFont);

    auto *fit = new QPushButton(PlanText::FitCaption, this);
    fit->setObjectName(QStringLiteral("PlanFit"));
    fit->setAutoDefault(false);
    connect(fit, &QPushButton::clicked, m_plan, &PlanWidget::fitToWindow);
    connect(m_plan, &PlanWidget::cursorMoved, this, [this](double x, double y) {
        m_cursor->setText(QStringLiteral("X %1   Y %2").arg(x, 0, 'f', 3).arg(y, 0, 'f', 3));
    });
    connect(m_plan, &PlanWidget::withoutCoordinatesChanged, this, [this](int count) {
        m_withoutCoordinates->setText(
            PlanText::NoCoordinatesPrefix + QString::number(count) + PlanText::NoCoordinatesSuffix);
    });

    auto *status = new QHBoxLayout;
    status->addWidget(fit);
    status->addSpacing(12);
    status->addWidget(m_cursor, 1);
    status->addWidget(m_withoutCoordinates);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_plan, 1);
    layout->addLayout(status);
    resize(640, 480);
    m_plan->refresh();
    m_plan->setFocus();
}

} // namespace tavorin
