#pragma once

#include "document/tobs.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

class LabelDocument;
class MergeColumns;
struct MergeRecord;

// The check before a merged run prints: fields of the label that no column names, and
// rows whose upright text would not fit its box at the printer's resolution (the text
// would be cut off), whose turned text would run past the label's edge (where the
// label cuts it off), whose code data cannot be encoded, or whose picture cannot be
// loaded. Findings are German lines naming the row and the field; at most MaxFindings
// are kept, the rest only counted.
class MergeCheck {
public:
    static constexpr int MaxFindings = 1000;

    MergeCheck(LabelDocument& doc, const MergeColumns& columns, int dpi);

    // Checks one data row (counted from 1) drawn with the running number `number`.
    void checkRow(qint64 rowNumber, const MergeRecord& record, int number);

    // All findings so far, with a closing line when some were only counted.
    QStringList findings() const;
    int count() const { return count_; }

private:
    struct TextBox {
        int slot = 0;
        QString text;
        QStringList fields;
        QFont font;
        int align = 0;
        double width = 0;
        double height = 0;
    };
    struct TurnedText {
        int slot = 0;
        QString text;
        QStringList fields;
        QFont font;
        int rotation = 0;
        QPointF anchor; // where the line starts, as the renderer turns it
    };
    struct CodeBox {
        Tobs object;
        QStringList fields;
    };
    struct RowPicture {
        QString name;
        QStringList fields;
    };
    void add(const QString& line);
    bool fits(const TextBox& box, const QString& s);
    bool staysOnLabel(const TurnedText& text, const QString& s);
    bool readable(const QString& path);

    std::vector<TextBox> texts_;
    std::vector<TurnedText> turned_;
    std::vector<CodeBox> codes_;
    std::vector<RowPicture> pictures_;
    QString labelFile_;
    QRectF label_; // the label in output pixels
    QHash<QString, bool> readable_;
    int dpi_ = 0;
    QImage device_;
    QHash<QString, bool> fitCache_;
    QStringList findings_;
    int count_ = 0;
};
