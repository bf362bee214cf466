#include "piece_feeder.h"

#include "scripted_instrument.h"

#include <QCoreApplication>
#include <QEvent>
#include <random>

namespace {

const char *frameAddress()
{
    return static_cast<const char *>(__builtin_frame_address(0));
}

} // namespace

PieceFeeder::PieceFeeder(ScriptedInstrument &instrument, const QObject &link,
                         QList<QByteArray> pieces)
    : instrument_(instrument), link_(link), pieces_(std::move(pieces))
{
}

PieceFeeder::~PieceFeeder()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

void PieceFeeder::start()
{
    top_ = lowest_ = frameAddress();
    QCoreApplication::instance()->installEventFilter(this);
    sendNext();
}

bool PieceFeeder::eventFilter(QObject *receiver, QEvent *event)
{
    lowest_ = std::min(lowest_, frameAddress());
    if (receiver == &link_ && event->type() == QEvent::MetaCall)
        sendNext();
    return false;
}

void PieceFeeder::sendNext()
{
    if (done())
        return;
    instrument_.send(pieces_[next_++]);
    // The line passes a piece on a moment after it is sent; once one piece has not come,
    // waiting for the others would only hold the failing test up.
    if (everyPieceWaited_)
        everyPieceWaited_ = instrument_.waitUntilProgramCanRead();
}

QList<QByteArray> randomPieces(const QByteArray &stream, int mostBytes, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> size(1, mostBytes);
    QList<QByteArray> pieces;
    for (qsizetype at = 0; at < stream.size();) {
        const int length = size(random);
        pieces << stream.mid(at, length);
        at += length;
    }
    return pieces;
}
