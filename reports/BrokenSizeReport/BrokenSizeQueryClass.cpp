#include "BrokenSizeQueryClass.h"

#include "DataModF.h"

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>

namespace {

void Run(TDMDB& dm, const QString& sql, kdb::Query* query) {
  if (!dm.RunQuery(sql, query)) throw kdb::DbError(dm.LastError);
}

std::string_view Bytes(QUtf8StringView text) {
  return {reinterpret_cast<const char*>(text.data()), size_t(text.size())};
}

QString QuotedList(const QStringList& texts) {
  QStringList quoted;
  quoted.reserve(texts.size());
  for (const QString& t : texts) quoted << kdb::sql::Quote(t);
  return quoted.join(", ");
}

}  // namespace

TBrokenRecords TBrokenColour::StockAt(qint64 branchId) const { return StockOfBranch(branchId).Records; }

TBrokenColour::BranchStock TBrokenColour::StockOfBranch(qint64 branchId) const {
  for (const Branch& b : branches_)
    if (b.id == branchId) return {TBrokenRecords(records_).subspan(b.first, b.count), b.noStock, b.allZero};
  return {};
}

void TBrokenColour::AddStock(qint64 branchId, const TBrokenStockRecord& record) {
  if (records_.empty()) {  // room for a colour's usual stock at once, not grown step by step
    records_.reserve(kUsualRecords);
    branches_.reserve(kUsualBranches);
  }
  const auto count = [&record](Branch& b) {
    ++b.count;
    b.noStock += record.Quantity <= 0;
    b.allZero = b.allZero && record.Quantity == 0;
  };
  // Records come a branch at a time; one that comes late is moved to its branch.
  if (branches_.empty() || branches_.back().id != branchId) {
    for (Branch& b : branches_) {
      if (b.id != branchId) continue;
      records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(b.first + b.count), record);
      for (Branch& after : branches_)
        if (after.first > b.first) ++after.first;
      count(b);
      return;
    }
    branches_.push_back({branchId, records_.size(), 0, 0, true});
  }
  records_.push_back(record);
  count(branches_.back());
}

TBrokenSizeQueryClass::TBrokenSizeQueryClass(TDMDB& dm, QString branchId) : dm_(dm), branchId_(std::move(branchId)) {}

QString TBrokenSizeQueryClass::ProductsSql(const QStringList& styles) {
  // In index order, a colour's PLUs together; the colours are put in colour
  // name order afterwards, which spares the engine a sort.
  return "select p.style, p.root_plu, p.plu, p.size_offset, p.colour_name, p.size_name from products p"
         " where p.style in (" +
         QuotedList(styles) + ") order by p.style, p.root_plu, p.plu";
}

QString TBrokenSizeQueryClass::StockSql(const QStringList& rootPLUs, const QString& branchId) {
  // In index order: the records of a colour, and of a branch within it, come together.
  QString sql = "select bs.root_plu, bs.branch_id, bs.plu, bs.stock_quantity from branchstock bs"
                " where bs.root_plu in (" +
                QuotedList(rootPLUs) + ")";
  if (!branchId.isEmpty()) sql += " and bs.branch_id = " + kdb::sql::Int(branchId);
  return sql + " order by bs.root_plu, bs.branch_id";
}

void TBrokenSizeQueryClass::ReadStyles(const QStringList& styles,
                                       const std::function<void(const TBrokenStyle&)>& each) {
  const int batch = std::max(1, BatchStyles);
  for (int at = 0; at < styles.size(); at += batch)
    for (const TBrokenStyle& style : LoadStyles(styles.mid(at, batch))) each(style);
}

int TBrokenSizeQueryClass::SizeIndex(const QString& plu) {
  // Read for every stock record: two digits are the rule, anything else is
  // read as a number would be (blanks around it, a sign) or gives 0.
  const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
  if (plu.size() == 10 && digit(plu[8]) && digit(plu[9])) return (plu[8].unicode() - u'0') * 10 + (plu[9].unicode() - u'0');
  bool ok = false;
  const int index = QStringView(plu).mid(8, 2).trimmed().toInt(&ok);
  return ok && index >= 0 ? index : 0;
}

int TBrokenSizeQueryClass::SizeIndexOfUtf8(QUtf8StringView plu) {
  // Ten bytes of which the first eight are ASCII are ten characters: the
  // usual PLU is read from its bytes, any other as text.
  const auto* s = reinterpret_cast<const unsigned char*>(plu.data());
  const auto digit = [](unsigned char c) { return c >= '0' && c <= '9'; };
  if (plu.size() == 10 && digit(s[8]) && digit(s[9]) && std::all_of(s, s + 8, [](unsigned char c) { return c < 0x80; }))
    return (s[8] - '0') * 10 + (s[9] - '0');
  return SizeIndex(plu.toString());
}

std::vector<TBrokenStyle> TBrokenSizeQueryClass::LoadStyles(const QStringList& styles) {
  std::vector<TBrokenStyle> result(static_cast<size_t>(styles.size()));
  QHash<QString, size_t> slot;
  for (int i = 0; i < styles.size(); ++i) {
    result[static_cast<size_t>(i)].Style = styles[i];
    if (!slot.contains(styles[i])) slot.insert(styles[i], static_cast<size_t>(i));
  }
  if (styles.isEmpty()) return result;

  // The colours and their size names. A colour's name is that of its PLU
  // with the lowest size offset (a PLU without one counts last), its size
  // names those of its PLUs by size index.
  {
    kdb::Query* q = dm_.DBQueryRemote1;
    Run(dm_, ProductsSql(styles), q);
    kdb::Field& style = q->Fields(0);
    kdb::Field& root = q->Fields(1);
    kdb::Field& plu = q->Fields(2);
    kdb::Field& offset = q->Fields(3);
    kdb::Field& colourName = q->Fields(4);
    kdb::Field& sizeName = q->Fields(5);
    QString lastStyle;
    TBrokenStyle* owner = nullptr;
    TBrokenColour* colour = nullptr;
    qint64 namedBy = 0;  // the offset whose PLU named the colour
    QString namedByPLU;
    constexpr qint64 kNoOffset = std::numeric_limits<qint64>::max();
    QString s, p;  // read into the same buffers row after row
    std::string colourRoot;  // the current colour's root PLU as read
    QByteArray rootScratch;
    // The size name last read at each size index: the colours of a batch
    // that name a size alike share one string for it.
    std::vector<QString> sizeNames;
    for (q->First(); !q->Eof(); q->Next()) {
      style.AsStringInto(s);
      if (!owner || s != lastStyle) {
        lastStyle = s;
        const auto found = slot.constFind(s);
        owner = found == slot.cend() ? nullptr : &result[found.value()];
        colour = nullptr;
      }
      if (!owner) continue;
      const std::string_view r = Bytes(root.AsUtf8(rootScratch));
      plu.AsStringInto(p);
      qint64 at = offset.AsInteger();
      if (at == 0 && offset.IsNull()) at = kNoOffset;  // NULL reads as 0
      if (!colour || r != colourRoot) {
        colour = &owner->Colours.emplace_back();
        colourRoot = r;
        colour->RootPLU = QString::fromUtf8(r.data(), qsizetype(r.size()));
        colour->Colour = colourName.AsString();
        namedBy = at;
        namedByPLU = p;
      } else if (at < namedBy || (at == namedBy && p < namedByPLU)) {
        colour->Colour = colourName.AsString();
        namedBy = at;
        namedByPLU = p;
      }
      const size_t index = static_cast<size_t>(SizeIndex(p));
      if (index >= colour->SizeNames.size()) colour->SizeNames.resize(index + 1);
      if (colour->SizeNames[index].isEmpty()) {
        if (index >= sizeNames.size()) sizeNames.resize(index + 1);
        sizeName.AsStringInto(sizeNames[index]);
        colour->SizeNames[index] = sizeNames[index];
      }
    }
    q->Close();
  }
  // Each style's colours by colour name (NULL as empty), then root PLU.
  struct Place {
    size_t style;
    size_t colour;
  };
  QHash<QString, Place> colourOf;  // root PLU -> its colour
  QStringList rootPLUs;
  for (size_t i = 0; i < result.size(); ++i) {
    std::vector<TBrokenColour>& colours = result[i].Colours;
    // A root PLU is one colour of its style: the order is total, no stable sort needed.
    std::sort(colours.begin(), colours.end(), [](const TBrokenColour& a, const TBrokenColour& b) {
      if (const int c = QString::compare(a.Colour, b.Colour); c != 0) return c < 0;
      return a.RootPLU < b.RootPLU;
    });
    for (size_t c = 0; c < colours.size(); ++c) {
      // A root PLU under two styles is read once; its records go to the last.
      const qsizetype known = colourOf.size();
      colourOf[colours[c].RootPLU] = {i, c};
      if (colourOf.size() != known) rootPLUs << colours[c].RootPLU;
    }
  }
  if (rootPLUs.isEmpty()) return result;

  // Their stock records.
  kdb::Query* q = dm_.DBQueryRemote1;
  Run(dm_, StockSql(rootPLUs, branchId_), q);
  kdb::Field& root = q->Fields(0);
  kdb::Field& branch = q->Fields(1);
  kdb::Field& plu = q->Fields(2);
  kdb::Field& quantity = q->Fields(3);
  // A colour's records come together: its root PLU is looked up once, and
  // every row after compares its bytes only; the PLU is read for its size
  // alone.
  std::string lastRoot;
  bool started = false;
  TBrokenColour* colour = nullptr;
  QByteArray rootScratch, pluScratch;
  for (q->First(); !q->Eof(); q->Next()) {
    const std::string_view r = Bytes(root.AsUtf8(rootScratch));
    if (!started || r != lastRoot) {
      started = true;
      lastRoot = r;
      const auto place = colourOf.constFind(QString::fromUtf8(r.data(), qsizetype(r.size())));
      colour = place == colourOf.cend() ? nullptr : &result[place->style].Colours[place->colour];
    }
    if (!colour) continue;
    const int size = SizeIndexOfUtf8(plu.AsUtf8(pluScratch));
    const qint64 n = quantity.AsInteger();
    colour->AddStock(branch.AsInteger(), {size, n, n == 0 && quantity.IsNull()});  // NULL reads as 0
  }
  q->Close();
  // A style picked twice is listed twice.
  for (int i = 0; i < styles.size(); ++i) {
    const size_t first = slot.value(styles[i]);
    if (first != static_cast<size_t>(i)) result[static_cast<size_t>(i)].Colours = result[first].Colours;
  }
  return result;
}
