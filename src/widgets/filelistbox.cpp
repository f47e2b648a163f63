#include "widgets/filelistbox.h"

#include <QCollator>
#include <QDir>
#include <QRegularExpression>

#include "platform/paths.h"

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  folder_ = QDir::currentPath();
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemClicked, this, [this] { emit userClicked(); });
}

void FileListBox::setFolder(const QString& stored) {
  QString f = stored;
  while (f.size() > 3 && (f.endsWith('\\') || f.endsWith('/'))) f.chop(1);
  folder_ = f;
  reread();
}

void FileListBox::setMask(const QString& m) {
  mask_ = m;
  reread();
}

void FileListBox::reread() {
  clear();
  QDir dir(tirra::localPath(folder_));
  const QRegularExpression re(
      QRegularExpression::wildcardToRegularExpression(mask_, QRegularExpression::UnanchoredWildcardConversion),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpression anchored("^(?:" + re.pattern() + ")$", QRegularExpression::CaseInsensitiveOption);
  QStringList names;
  for (const QString& n : dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort))
    if (anchored.match(n).hasMatch()) names << n;
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  addItems(names);
  setCurrentRow(-1);
}

void FileListBox::setItemIndex(int i) {
  if (i >= 0 && i < count())
    setCurrentRow(i);
  else
    setCurrentRow(-1);
}

QString FileListBox::fileName(int i) const {
  if (i < 0 || i >= count()) return {};
  return item(i)->text();
}

QString FileListBox::selectedPath() const {
  const int i = currentRow();
  if (i < 0) return {};
  QString f = folder_;
  if (!f.endsWith('\\') && !f.endsWith('/')) f += '\\';
  return f + item(i)->text();
}
