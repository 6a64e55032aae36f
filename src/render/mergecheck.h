#pragma once

#include "document/tobs.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

class LabelDocument;
class MergeColumns;
struct MergeRecord;

// The check before a merged run prints: fields of the label that no column names,
// and rows whose upright text would not fit its box at the printer's resolution
// (the text would be cut off) or whose code data cannot be encoded. Findings are German lines
// naming the row and the field; at most MaxFindings are kept, the rest only counted.
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
    struct CodeBox {
        Tobs object;
        QStringList fields;
    };
    void add(const QString& line);
    bool fits(const TextBox& box, const QString& s);

    std::vector<TextBox> texts_;
    std::vector<CodeBox> codes_;
    int dpi_ = 0;
    QImage device_;
    QHash<QString, bool> fitCache_;
    QStringList findings_;
    int count_ = 0;
};
