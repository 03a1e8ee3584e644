#pragma once
// Small pure helpers shared by the programs: list entries typed as text,
// dates for SQL, a readable text colour on a coloured cell.
#include <QDate>
#include <QString>
#include <QStringList>

namespace kos {

// Removes every single and double quote, upper-cases, and trims blanks (and
// other control characters) at both ends.
QString CleanEntry(const QString& text);

// Splits a comma-separated text into cleaned entries (CleanEntry). Every
// piece before a comma is kept, also an empty one; the piece after the last
// comma only when it is not empty. So "a,,b" gives A, "", B and "a," gives A.
QStringList SplitEntries(const QString& text);

// The date as an SQL literal: "'yyyy-mm-dd'" (the zero date 1899-12-30 for an
// invalid date).
QString DateToSql(const QDate& date);

// A readable text colour on a background colour 0x00BBGGRR: black (0) on a
// light background, white (0xFFFFFF) on a dark one, by 2 x red + 5 x green +
// blue above 1024. Black (0) and -1 (no colour) give white.
int ContrastTextColour(int background);

}  // namespace kos
