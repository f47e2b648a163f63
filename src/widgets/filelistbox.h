#pragma once
// The files of one folder that match a mask (default "*.wav"), sorted by name, with a
// selection. The folder is kept in its stored form (c:\tirra\songs) and read through the
// station's path mapping.
#include <QListWidget>

class FileListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit FileListBox(QWidget* parent = nullptr);
  QString folder() const { return folder_; }
  // Makes the folder current and re-reads the files (the selection is cleared).
  void setFolder(const QString& stored);
  QString mask() const { return mask_; }
  void setMask(const QString& m);
  // Reads the folder again; the selection is cleared.
  void reread();
  int itemIndex() const { return currentRow(); }
  // Selects item i; an index outside the list leaves no selection.
  void setItemIndex(int i);
  QString fileName(int i) const;
  // Full path of the selected file in stored form: folder + "\" + name (empty if none).
  QString selectedPath() const;

 signals:
  // The user clicked an item.
  void userClicked();

 private:
  QString folder_;
  QString mask_ = QStringLiteral("*.wav");
};
