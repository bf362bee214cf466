#include "views/figures_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace views {

namespace {

// How long a change waits to be shown, so that a burst of readings is shown once.
constexpr int ShowDelayMs = 1000;

// The widest text a column of figures holds: a time, or a value with its sign.
QString widestText(int column)
{
    const bool timeColumn = column == 1 || column == 3;
    return timeColumn ? QStringLiteral("0000/00/00 00:00:00") : QStringLiteral("-000.00");
}

QTableWidget *newQuantityTable(const FiguresTable &table, QWidget *parent)
{
    auto *widget = new QTableWidget(int(table.quantities.size()) - 1,
                                    int(table.quantities.front().size()) - 1, parent);
    widget->setHorizontalHeaderLabels(table.quantities.front().mid(1));
    for (int row = 0; row < widget->rowCount(); ++row) {
        widget->setVerticalHeaderItem(row, new QTableWidgetItem(table.quantities[row + 1].front()));
        for (int column = 0; column < widget->columnCount(); ++column)
            widget->setItem(row, column, new QTableWidgetItem(widestText(column)));
    }
    // Sized once for the widest figures: the window keeps its size as they change, and
    // showing them again measures no text.
    widget->resizeColumnsToContents();
    widget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    widget->setFocusPolicy(Qt::NoFocus);
    widget->setSelectionMode(QAbstractItemView::NoSelection);
    widget->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    widget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    widget->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    return widget;
}

} // namespace

FiguresWindow::FiguresWindow(const RunReadings &readings, QWidget *parent)
    : QWidget(parent, Qt::Window), figures_(readings)
{
    setWindowTitle(QStringLiteral("統計"));
    setAttribute(Qt::WA_QuitOnClose, false);
    const FiguresTable contents = table();
    auto *form = new QFormLayout;
    for (const QStringList &row : contents.run) {
        runLabels_ << new QLabel(this);
        runLabels_.back()->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(row.front(), runLabels_.back());
    }
    quantities_ = newQuantityTable(contents, this);
    auto *copyButton = new QPushButton(QStringLiteral("コピー(&C)"), this);
    copyButton->setAutoDefault(false);
    connect(copyButton, &QPushButton::clicked, this, &FiguresWindow::copy);
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            &FiguresWindow::copy);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(quantities_);
    layout->addWidget(copyButton, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    showTimer_.setSingleShot(true);
    showTimer_.setInterval(ShowDelayMs);
    connect(&showTimer_, &QTimer::timeout, this, &FiguresWindow::showFigures);
    connect(&figures_, &figures::LiveFigures::changed, this, &FiguresWindow::figuresChanged);
    showFigures();
}

FiguresTable FiguresWindow::table() const
{
    return figuresTable(figures_.readings(), figures_.figures());
}

void FiguresWindow::copy() const
{
    QApplication::clipboard()->setText(table().tabSeparated());
}

void FiguresWindow::showEvent(QShowEvent *event)
{
    showFigures();
    QWidget::showEvent(event);
}

void FiguresWindow::figuresChanged()
{
    if (isVisible() && !showTimer_.isActive())
        showTimer_.start();
}

void FiguresWindow::showFigures()
{
    showTimer_.stop();
    const FiguresTable contents = table();
    for (qsizetype row = 0; row < contents.run.size(); ++row)
        runLabels_[row]->setText(contents.run[row].back());
    for (int row = 1; row < contents.quantities.size(); ++row) {
        const QStringList &cells = contents.quantities[row];
        for (int column = 1; column < cells.size(); ++column)
            quantities_->item(row - 1, column - 1)->setText(cells[column]);
    }
}

} // namespace views
