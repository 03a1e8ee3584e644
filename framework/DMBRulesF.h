#pragma once
// The business-rules data module: the writes and checks of parameter rows and
// wholesale packs that several programs share. Created right after the data
// module (DMDB) by the programs that have it; all its work runs on the data
// module's DBQueryBRules and DBTableR1.
#include <QObject>
#include <QString>

#include "Currency.h"

class TDMBRules : public QObject {
  Q_OBJECT
 public:
  explicit TDMBRules(QObject* owner = nullptr);
  ~TDMBRules() override;
  TDMBRules(const TDMBRules&) = delete;
  TDMBRules& operator=(const TDMBRules&) = delete;

  // True when another row of the type (and, in the second form, of the parent)
  // has the name; id is the row's own id (0 for a new row). A failed statement
  // answers true, so that nothing is saved on a broken query.
  bool ParamNameExists(const QString& name, const QString& type, int id);
  bool ParamNameExists(const QString& name, const QString& type, int id, const QString& parentId);

  // Writes one parameter row: id 0 appends one and returns its new id through
  // id; another id edits that row (false when there is none). The parent
  // columns are written only when parentId is not empty.
  bool SaveParam(int& id, const QString& type, const QString& parentName, const QString& parentId,
                 Currency value, float rate, const QString& name);
  bool SaveParam(int& id, const QString& type, const QString& parentName, const QString& parentId,
                 const QString& extra, Currency value, float rate, const QString& name);

  // Marks the default season: every SEASON row points to it.
  void SetDefaultSeason(const QString& id);

  // The pack row of a style: found, or appended with barcode "99" + its id as
  // eight digits.
  bool SaveWSPack(const QString& style, QString& barcode);
  // One PLU of a pack; a negative quantity is stored as 0.
  bool SaveWSPackLine(const QString& plu, const QString& rootPlu, int quantity, const QString& barcode);

  // The picture file of a root PLU.
  static QString GetImgFileName(const QString& name);

  QString SQLText;  // the last statement built

 private:
  bool NameExists(const QString& statement);
  bool WriteParam(int& id, const QString& type, const QString& parentName, const QString& parentId,
                  const QString* extra, Currency value, float rate, const QString& name);
};

// The business-rules module of the running program.
extern TDMBRules* DMBRules;
