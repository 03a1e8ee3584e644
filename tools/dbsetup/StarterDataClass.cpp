#include "StarterDataClass.h"

#include "KvDb.h"
#include "SchemaClass.h"

#include <QMap>

#include <initializer_list>
#include <vector>

namespace kvschema {

namespace {

// One row of an INSERT: column names and their SQL literals.
struct Row {
  QStringList cols, vals;
  Row& Text(const char* c, const QString& v) { return Put(c, kdb::sql::Quote(v)); }
  Row& Int(const char* c, qint64 v) { return Put(c, QString::number(v)); }
  Row& Real(const char* c, double v) { return Put(c, QString::number(v, 'g', 15)); }
  Row& Put(const char* c, const QString& literal) {
    cols << Ident(c);
    vals << literal;
    return *this;
  }
};

// Display colours are kept blue-green-red (0x00BBGGRR); the data below is
// written the usual red-green-blue way.
double Bgr(quint32 rgb) {
  const quint32 r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return static_cast<double>((b << 16) | (g << 8) | r);
}

struct Named { const char* name; const char* code; };
struct Rated { const char* name; double rate; };
struct Colour { const char* name; const char* base; quint32 rgb; };
struct Department { const char* category; const char* name; const char* vat; };
struct SubDepartment { const char* department; const char* name; const char* code; };
struct Scale { const char* name; std::vector<std::pair<const char*, int>> sizes; };
struct Address {
  const char* house; const char* street; const char* area; const char* town;
  const char* county; const char* postcode; const char* phone; const char* fax;
  const char* email; const char* web;
};
struct Supplier {
  const char* name; bool concession; double markup; int leadDays; const char* terms;
  Address main, returns;
  const char* agentFirst; const char* agentSurname; const char* agentPhone;
  const char* agentFax; const char* agentEmail;
};

const std::vector<Named> kBranches = {
    {"MAIN STORE", "MAIN"}, {"WAREHOUSE", "WH"}, {"WEB SHOP", "WEB"},
    {"HARROGATE", "HGT"},   {"YORK", "YRK"},     {"LEEDS", "LDS"}};

// First entry of each list with a default is the default.
const std::vector<Rated> kVat = {{"STANDARD", 20}, {"REDUCED", 5}, {"ZERO RATED", 0}};
const std::vector<Named> kSeasons = {{"AUTUMN WINTER 2025", "B"}, {"SPRING SUMMER 2025", "A"},
                                     {"SPRING SUMMER 2026", "C"}, {"CONTINUITY", "D"}};
const std::vector<Named> kBrands = {{"TESSARIN", "TES"}, {"NORTHERN THREAD", "NTH"},
                                    {"HARBOUR LANE", "HBL"}, {"LITTLE WREN", "LWR"}};

const std::vector<Named> kCategories = {{"LADIESWEAR", "LW"}, {"MENSWEAR", "MW"},
                                        {"CHILDRENSWEAR", "CW"}, {"ACCESSORIES", "AC"}};
const std::vector<Department> kDepartments = {
    {"LADIESWEAR", "DRESSES", "STANDARD"},      {"LADIESWEAR", "TOPS", "STANDARD"},
    {"LADIESWEAR", "KNITWEAR", "STANDARD"},     {"LADIESWEAR", "TROUSERS", "STANDARD"},
    {"MENSWEAR", "SHIRTS", "STANDARD"},         {"MENSWEAR", "JUMPERS", "STANDARD"},
    {"MENSWEAR", "JEANS", "STANDARD"},          {"MENSWEAR", "JACKETS", "STANDARD"},
    {"CHILDRENSWEAR", "BABYWEAR", "ZERO RATED"}, {"CHILDRENSWEAR", "GIRLSWEAR", "ZERO RATED"},
    {"CHILDRENSWEAR", "BOYSWEAR", "ZERO RATED"}, {"ACCESSORIES", "BAGS", "STANDARD"},
    {"ACCESSORIES", "SCARVES", "STANDARD"},     {"ACCESSORIES", "BELTS", "STANDARD"}};
const std::vector<SubDepartment> kSubDepartments = {
    {"DRESSES", "MAXI", "DM"},        {"DRESSES", "MIDI", "DD"},       {"DRESSES", "MINI", "DN"},
    {"TOPS", "BLOUSES", "TB"},        {"TOPS", "T-SHIRTS", "TT"},      {"KNITWEAR", "CARDIGANS", "KC"},
    {"KNITWEAR", "PULLOVERS", "KP"},  {"SHIRTS", "FORMAL", "SF"},      {"SHIRTS", "CASUAL", "SC"},
    {"JEANS", "SLIM FIT", "JS"},      {"JEANS", "REGULAR FIT", "JR"},  {"BABYWEAR", "SLEEPSUITS", "BS"},
    {"BABYWEAR", "BODYSUITS", "BB"}};

// Base colours as the colours editor's list spells them.
const std::vector<Colour> kColours = {
    {"BLACK", "Black", 0x000000},      {"WHITE", "White", 0xFFFFFF},
    {"IVORY", "Cream", 0xFFFFF0},      {"NAVY", "Blue", 0x000080},
    {"DENIM", "Blue", 0x1560BD},       {"RED", "Red", 0xCC0000},
    {"BURGUNDY", "Red", 0x800020},     {"BOTTLE GREEN", "Green", 0x006A4E},
    {"KHAKI", "Green", 0x78866B},      {"CHARCOAL", "Grey", 0x36454F},
    {"GREY MARL", "Grey", 0xA9A9A9},   {"STONE", "Beige", 0xD2C8B4},
    {"CAMEL", "Brown", 0xC19A6B},      {"CHOCOLATE", "Brown", 0x7B3F00},
    {"BLUSH PINK", "Pink", 0xF4C2C2},  {"MUSTARD", "Yellow", 0xE1AD01},
    {"RUST", "Orange", 0xB7410E},      {"LILAC", "Purple", 0xC8A2C8},
    {"SILVER", "Silver", 0xC0C0C0},    {"FLORAL PRINT", "Multi", 0x9B59B6}};

// Currency code (EXTRA) orders the list; RATE is the exchange rate.
const std::vector<std::pair<Named, double>> kCurrencies = {
    {{"POUND STERLING", "GBP"}, 1.0}, {{"EURO", "EUR"}, 1.17}, {{"US DOLLAR", "USD"}, 1.27}};
// Charges: RATE default cost, VALUE default retail.
const std::vector<std::pair<Rated, double>> kCharges = {
    {{"FREIGHT", 0.35}, 0}, {{"HANGER", 0.12}, 0}, {{"GIFT BOX", 0.80}, 2.50}};
const std::vector<const char*> kOptions = {"FABRIC", "CARE", "FIT", "COUNTRY OF ORIGIN"};

// First scale is the default. Sizes with their ratio-fill shares.
const std::vector<Scale> kScales = {
    {"LADIES 8-18", {{"8", 1}, {"10", 2}, {"12", 3}, {"14", 3}, {"16", 2}, {"18", 1}}},
    {"MENS S-XXL", {{"S", 1}, {"M", 2}, {"L", 3}, {"XL", 2}, {"XXL", 1}}},
    {"WAIST 30-40", {{"30", 1}, {"32", 2}, {"34", 3}, {"36", 3}, {"38", 2}, {"40", 1}}},
    {"KIDS 2-10Y", {{"2-3Y", 1}, {"3-4Y", 1}, {"5-6Y", 1}, {"7-8Y", 1}, {"9-10Y", 1}}},
    {"BABY 0-24M", {{"0-3M", 1}, {"3-6M", 2}, {"6-12M", 2}, {"12-18M", 2}, {"18-24M", 1}}},
    {"SHOES 3-8", {{"3", 1}, {"4", 2}, {"5", 3}, {"6", 3}, {"7", 2}, {"8", 1}}},
    {"ONE SIZE", {{"ONE", 1}}}};

const std::vector<Supplier> kSuppliers = {
    {"ASHWORTH KNITWEAR", false, 2.4, 42, "30 DAYS NET",
     {"UNIT 4", "GRANBY STREET", "CITY CENTRE", "LEICESTER", "LEICESTERSHIRE", "LE1 6FB",
      "0116 496 0123", "0116 496 0124", "sales@ashworth-knitwear.co.uk", "www.ashworth-knitwear.co.uk"},
     {"UNIT 9", "FREEMENS COMMON ROAD", "AYLESTONE", "LEICESTER", "LEICESTERSHIRE", "LE2 7SQ",
      "0116 496 0130", "", "returns@ashworth-knitwear.co.uk", ""},
     "SARAH", "HOLT", "07700 900111", "", "sarah.holt@ashworth-knitwear.co.uk"},
    {"PENNINE CLOTHING CO", true, 2.2, 28, "60 DAYS END OF MONTH",
     {"PENNINE MILL", "DALE STREET", "ANCOATS", "MANCHESTER", "GREATER MANCHESTER", "M4 6JF",
      "0161 496 0456", "0161 496 0457", "orders@pennineclothing.co.uk", "www.pennineclothing.co.uk"},
     {"PENNINE MILL", "DALE STREET", "ANCOATS", "MANCHESTER", "GREATER MANCHESTER", "M4 6JF",
      "0161 496 0456", "", "returns@pennineclothing.co.uk", ""},
     "JAMES", "WHITTAKER", "07700 900222", "0161 496 0458", "james@pennineclothing.co.uk"},
    {"SOLENT DENIM", false, 2.5, 56, "30 DAYS NET",
     {"2 OCEAN WAY", "OCEAN VILLAGE", "", "SOUTHAMPTON", "HAMPSHIRE", "SO14 3JZ",
      "023 8049 6789", "", "trade@solentdenim.co.uk", "www.solentdenim.co.uk"},
     {"WAREHOUSE B", "WESTERN DOCKS", "", "SOUTHAMPTON", "HAMPSHIRE", "SO15 1DA",
      "023 8049 6790", "", "returns@solentdenim.co.uk", ""},
     "PRIYA", "SHAH", "07700 900333", "", "priya.shah@solentdenim.co.uk"},
    {"WILLOW AND WREN", true, 2.3, 35, "PRO FORMA",
     {"14 COLUMBIA ROAD", "BETHNAL GREEN", "", "LONDON", "GREATER LONDON", "E2 7RG",
      "020 7946 0987", "", "hello@willowandwren.co.uk", "www.willowandwren.co.uk"},
     {"14 COLUMBIA ROAD", "BETHNAL GREEN", "", "LONDON", "GREATER LONDON", "E2 7RG",
      "020 7946 0987", "", "hello@willowandwren.co.uk", ""},
     "TOM", "ELLIS", "07700 900444", "", "tom@willowandwren.co.uk"}};

// The tables the starter data fills; any row in one means "not empty".
const QStringList kFilledTables = {"COMPANY", "BRANCHES", "STAFF",  "SECURITY", "PARAMETERS",
                                   "SIZESSCALE", "SIZES", "ADDRESSES", "PRODUCTS"};

class Loader {
 public:
  explicit Loader(kdb::Database& db) : db_(db) {}

  // Inserts with an explicit ID, so rows can point at each other before the
  // engine has numbered anything; returns that ID.
  int Insert(const QString& table, Row row) {
    const int id = ++nextId_[table];
    row.cols.prepend("ID");
    row.vals.prepend(QString::number(id));
    db_.Execute("INSERT INTO " + table + " (" + row.cols.join(", ") + ") VALUES (" +
                row.vals.join(", ") + ")");
    return id;
  }

  int Param(const QString& type, const QString& name, Row row = {}, double rate = 0) {
    row.Text("TYPE", type).Text("NAME", name).Real("RATE", rate);
    if (!row.cols.contains("VALUE")) row.Real("VALUE", 0);
    return Insert("PARAMETERS", row);
  }

  // A list whose default is its first entry: every row carries the default's
  // ID in PARENT_ID. Returns the IDs by name.
  template <typename T, typename F>
  QMap<QString, int> DefaultedList(const QString& type, const std::vector<T>& items, F fill) {
    const int defaultId = nextId_["PARAMETERS"] + 1;
    QMap<QString, int> ids;
    for (const T& item : items) {
      Row row;
      row.Int("PARENT_ID", defaultId);
      ids[item.name] = Param(type, item.name, fill(row, item), RateOf(item));
    }
    return ids;
  }

  QStringList Summary() const {
    QStringList out;
    for (auto it = nextId_.begin(); it != nextId_.end(); ++it)
      out << QString("Loaded %1 rows into %2").arg(it.value()).arg(it.key());
    return out;
  }

 private:
  static double RateOf(const Rated& r) { return r.rate; }
  static double RateOf(const Named&) { return 0; }

  kdb::Database& db_;
  QMap<QString, int> nextId_;
};

void LoadCompanyAndStaff(Loader& l) {
  l.Insert("COMPANY", Row()
                          .Text("COMPANY_NAME", "TESSARIN FASHIONS LTD")
                          .Text("COMPANY_NO", "09876543")
                          .Text("VAT_NO", "GB 123 4567 89"));
  for (const Named& b : kBranches) l.Insert("BRANCHES", Row().Text("NAME", b.name).Text("CODE", b.code));
  l.Insert("STAFF", Row()
                        .Text("USERNAME", starter::kUserName)
                        .Text("PASSWORD", starter::kPassword)
                        .Int("SECURITY_LEVEL", starter::kUserLevel)
                        .Text("DISPLAYNAME", "STORE MANAGER"));
  l.Insert("STAFF", Row()
                        .Text("USERNAME", "2")
                        .Text("PASSWORD", "1111")
                        .Int("SECURITY_LEVEL", starter::kAssistantLevel)
                        .Text("DISPLAYNAME", "SALES ASSISTANT"));
  l.Insert("SECURITY", Row()
                           .Int("SECURITY_LEVEL", starter::kUserLevel)
                           .Text("SECURITY_FUNCTION", starter::kEditStock));
}

void LoadProductLists(Loader& l) {
  const auto vat = l.DefaultedList("VAT", kVat, [](Row r, const Rated&) { return r; });
  const auto withCode = [](Row r, const Named& n) { return r.Text("EXTRA", n.code); };
  l.DefaultedList("SEASON", kSeasons, withCode);
  l.DefaultedList("BRANDLABEL", kBrands, withCode);

  QMap<QString, int> categories, departments;
  for (const Named& c : kCategories)
    categories[c.name] = l.Param("CATEGORY", c.name, Row().Int("PARENT_ID", 0).Text("PARENT_NAME", c.code));
  for (const Department& d : kDepartments)
    departments[d.name] = l.Param("DEPARTMENT", d.name,
                                  Row()
                                      .Text("EXTRA", QString::number(vat.value(d.vat)))
                                      .Int("PARENT_ID", categories.value(d.category))
                                      .Text("PARENT_NAME", d.category));
  for (const SubDepartment& s : kSubDepartments)
    l.Param("SUBDEPARTMENT", s.name,
            Row()
                .Text("EXTRA", s.code)
                .Int("PARENT_ID", departments.value(s.department))
                .Text("PARENT_NAME", s.department));

  for (const Colour& c : kColours)
    l.Param("COLOUR", c.name, Row().Text("EXTRA", "").Int("PARENT_ID", 0).Text("PARENT_NAME", c.base),
            Bgr(c.rgb));
  for (const auto& [c, rate] : kCurrencies) l.Param("CURRENCY", c.name, Row().Text("EXTRA", c.code), rate);
  for (const auto& [c, retail] : kCharges) l.Param("CHARGE", c.name, Row().Real("VALUE", retail), c.rate);
  for (const char* o : kOptions) l.Param("PRODUCT OPTION", o);
}

void LoadSizeScales(Loader& l) {
  const int defaultId = 1;  // the first scale inserted
  for (const Scale& s : kScales) {
    const int scaleId = l.Insert("SIZESSCALE", Row()
                                                   .Text("NAME", s.name)
                                                   .Int("COUNTER", static_cast<qint64>(s.sizes.size()))
                                                   .Int("DEFAULT_ID", defaultId));
    int offset = 0;
    for (const auto& [name, ratio] : s.sizes)
      l.Insert("SIZES", Row()
                            .Int("SIZESSCALE_ID", scaleId)
                            .Text("NAME", name)
                            .Int("offset", offset++)
                            .Int("RATIO", ratio));
  }
}

Row AddressRow(int supplierId, const QString& type, const Address& a) {
  return Row()
      .Int("PARENT_ID", supplierId)
      .Text("TYPE", type)
      .Text("HOUSE_NO_NAME", a.house)
      .Text("STREET", a.street)
      .Text("AREA", a.area)
      .Text("TOWN_CITY", a.town)
      .Text("COUNTY", a.county)
      .Text("POSTCODE", a.postcode)
      .Text("TELEPHONE", a.phone)
      .Text("FAX", a.fax)
      .Text("EMAIL", a.email)
      .Text("WEBSITE", a.web);
}

void LoadSuppliers(Loader& l) {
  for (const Supplier& s : kSuppliers) {
    const int id = l.Param("SUPPLIER", s.name, Row(), s.concession ? 1 : 0);
    l.Insert("ADDRESSES", AddressRow(id, "SUPPLIER", s.main)
                              .Real("MARKUP", s.markup)
                              .Int("LEADTIME", s.leadDays)
                              .Text("TERMS", s.terms));
    l.Insert("ADDRESSES", Row()
                              .Int("PARENT_ID", id)
                              .Text("TYPE", "SUPPLIER AGENT")
                              .Text("AGENT_FIRST_NAME", s.agentFirst)
                              .Text("AGENT_SURNAME", s.agentSurname)
                              .Text("AGENT_TELEPHONE", s.agentPhone)
                              .Text("AGENT_FAX", s.agentFax)
                              .Text("AGENT_EMAIL", s.agentEmail));
    l.Insert("ADDRESSES", AddressRow(id, "SUPPLIER RETURN", s.returns));
  }
}

}  // namespace

bool IsEmptyDatabase(kdb::Database& db) {
  for (const QString& table : kFilledTables) {
    kdb::Query q(&db);
    q.SQL = "SELECT ID FROM " + table + " LIMIT 1";
    q.ExecSQL();
    const bool rows = q.RecordCount() > 0;
    q.Close();
    if (rows) return false;
  }
  return true;
}

StarterResult LoadStarterData(kdb::Database& db) {
  StarterResult result;
  db.StartTransaction();
  try {
    if (!IsEmptyDatabase(db)) {
      db.Commit();
      return result;
    }
    Loader l(db);
    LoadCompanyAndStaff(l);
    LoadProductLists(l);
    LoadSizeScales(l);
    LoadSuppliers(l);
    SyncIdCounters(db);
    db.Commit();
    result.loaded = true;
    result.lines = l.Summary();
  } catch (...) {
    db.Rollback();
    throw;
  }
  return result;
}

}  // namespace kvschema
