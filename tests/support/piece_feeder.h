#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>

class ScriptedInstrument;

// A hostile instrument's pace: it writes the next piece of a stream just before each of
// the program's receive notifications runs, so every yield inside the decoding finds new
// bytes waiting. That is the worst case for nested decoding. It also records how deep
// the stack went in any event meanwhile.
class PieceFeeder : public QObject {
public:
    // link is the serial link whose posted receive notifications set the pace.
    PieceFeeder(ScriptedInstrument &instrument, const QObject &link, QList<QByteArray> pieces);
    ~PieceFeeder() override;

    // Sends the first piece; the rest follow the program's notifications.
    void start();
    bool done() const { return next_ >= pieces_.size(); }
    qsizetype piecesLeft() const { return pieces_.size() - next_; }
    // Whether each piece sent was waiting for the program before its notification ran.
    bool everyPieceWaited() const { return everyPieceWaited_; }
    // Stack used by the deepest event since start(), in bytes.
    qsizetype deepestStack() const { return top_ - lowest_; }

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override;

private:
    void sendNext();

    ScriptedInstrument &instrument_;
    const QObject &link_;
    QList<QByteArray> pieces_;
    qsizetype next_ = 0;
    bool everyPieceWaited_ = true;
    const char *top_ = nullptr;
    const char *lowest_ = nullptr;
};

// The stream cut into pieces of 1 to mostBytes bytes, from a fixed seed.
QList<QByteArray> randomPieces(const QByteArray &stream, int mostBytes, unsigned seed);
