#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace tirra {

QString driveRoot(QChar letter) {
  const QChar up = letter.toUpper();
  const QByteArray env = qgetenv(QByteArray("TIRRA_DRIVE_") + char(up.toLatin1()));
  if (!env.isEmpty()) return QString::fromLocal8Bit(env);
  if (up == QChar('C')) return QDir::homePath();
  return QDir::homePath() + "/drive_" + QString(letter.toLower());
}

namespace {

// Walks the components from base, matching each against the directory entries without
// regard to case; the first component that does not exist ends the matching.
QString matchComponents(QString base, const QStringList& parts) {
  bool matching = true;
  for (const QString& part : parts) {
    if (part.isEmpty() || part == ".") continue;
    QString chosen = part;
    if (matching && part != "..") {
      QDir dir(base.isEmpty() ? QStringLiteral("/") : base);
      if (QFileInfo::exists(dir.filePath(part))) {
        chosen = part;
      } else {
        const QStringList entries =
            dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        bool found = false;
        for (const QString& e : entries) {
          if (e.compare(part, Qt::CaseInsensitive) == 0) {
            chosen = e;
            found = true;
            break;
          }
        }
        if (!found) matching = false;
      }
    }
    if (base.endsWith('/'))
      base += chosen;
    else
      base += "/" + chosen;
  }
  return base;
}

}  // namespace

QString localPath(const QString& stored) {
  QString p = stored;
  p.replace('\\', '/');
  if (p.size() >= 2 && p[1] == ':' && p[0].isLetter()) {
    QString root = driveRoot(p[0]);
    while (root.size() > 1 && root.endsWith('/')) root.chop(1);
    const QString rest = p.mid(2);
    return matchComponents(root, rest.split('/', Qt::SkipEmptyParts)) +
           (rest.endsWith('/') && rest.size() > 1 ? "/" : "");
  }
  if (p.startsWith('/')) return p;
  if (p.isEmpty()) return p;
  return matchComponents(QDir::currentPath(), p.split('/', Qt::SkipEmptyParts)) +
         (p.endsWith('/') ? "/" : "");
}

bool folderExists(const QString& stored) {
  if (stored.isEmpty()) return false;
  return QFileInfo(localPath(stored)).isDir();
}

bool fileExists(const QString& stored) {
  if (stored.isEmpty()) return false;
  return QFileInfo(localPath(stored)).isFile();
}

bool makeFolders(const QString& stored) {
  if (stored.trimmed().isEmpty()) return false;
  const QString local = localPath(stored);
  if (QFileInfo(local).isDir()) return true;
  return QDir().mkpath(local);
}

}  // namespace tirra
