#pragma once

#include <QFont>
#include <QPoint>
#include <QRgb>
#include <QString>
#include <cstddef>
#include <vector>

// What a picture has been given to draw since it was last cleared, in order, so that it can
// be drawn afresh at another device pixel ratio exactly as it would have been drawn there.
// Lines are kept as twenty bytes each: a full chart of two traces keeps about 1.3 MB.
class DrawingLog {
public:
    struct Line {
        float x1, y1, x2, y2;
        QRgb colour;
    };
    struct Text {
        QPoint topLeft; // chart pixel of the text's top-left corner
        QString text;
        QFont font;
        QRgb colour;
    };

    void clear(QRgb background);
    QRgb background() const { return background_; }

    void add(const Line &line) { lines_.push_back(line); }
    void add(Text text);

    // Hands every line and text to the two functions in the order they were added.
    template <typename DrawLine, typename DrawText>
    void replay(DrawLine drawLine, DrawText drawText) const
    {
        std::size_t line = 0;
        for (const PlacedText &text : texts_) {
            for (; line < text.linesBefore; ++line)
                drawLine(lines_[line]);
            drawText(text.drawn);
        }
        for (; line < lines_.size(); ++line)
            drawLine(lines_[line]);
    }

private:
    // The few texts are kept apart from the many lines, each with the number of lines
    // drawn before it, so that a line need not make room for a text.
    struct PlacedText {
        std::size_t linesBefore;
        Text drawn;
    };

    QRgb background_ = 0;
    std::vector<Line> lines_;
    std::vector<PlacedText> texts_;
};
