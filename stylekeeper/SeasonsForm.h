#pragma once
// The season picker of "clone into another season": one line per other
// season ("NAME=ID", shown as stored), OK and Cancel. Created once at program
// start and kept for the run as FormSeasons; its list is refilled at each use.
#include "KvDialog.h"

class QLabel;
class QListWidget;
class QPushButton;

class TFormSeasons : public kui::KvDialog {
  Q_OBJECT
 public:
  explicit TFormSeasons(QWidget* owner = nullptr);
  ~TFormSeasons() override;

  static constexpr const char* kCaption = "Clone New Season";
  static constexpr quint32 kColour = 13041663;  // light yellow, 0x00BBGGRR

  QLabel* Panel1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QPushButton* BitBtn1 = nullptr;  // OK
  QPushButton* BitBtn2 = nullptr;  // Cancel
};

// The season picker of the running program (nullptr before it is made).
extern TFormSeasons* FormSeasons;
