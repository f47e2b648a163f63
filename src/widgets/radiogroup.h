#pragma once
// A captioned group of radio items with one selected index. Selecting an item, by the
// user or by program, reports clicked() when the index actually changes.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

class RadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  explicit RadioGroup(const QString& caption, const QStringList& items, int itemIndex = -1,
                      QWidget* parent = nullptr, Qt::Orientation orientation = Qt::Vertical);
  int itemIndex() const;
  void setItemIndex(int i);  // -1 clears the selection
  int count() const;
  QString item(int i) const;
  // Press item i as the user would.
  void clickItem(int i);

 signals:
  void clicked();

 private:
  QButtonGroup* group_;
};
