#include "persistence/connectdialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tirra::db {

namespace {

QLineEdit* namedEdit(const QString& name, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  return e;
}

}  // namespace

ConnectDialog::ConnectDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("MyConnectDialog1");
  setWindowTitle("Connect");
  setModal(true);

  server_ = namedEdit("server", this);
  username_ = namedEdit("username", this);
  password_ = namedEdit("password", this);
  password_->setEchoMode(QLineEdit::Password);
  database_ = namedEdit("database", this);
  port_ = namedEdit("port", this);
  port_->setValidator(new QIntValidator(0, 65535, port_));

  auto* form = new QFormLayout;
  form->addRow("Server", server_);
  form->addRow("User Name", username_);
  form->addRow("Password", password_);
  form->addRow("database", database_);
  form->addRow("Port", port_);

  connect_ = new QPushButton("Connect", this);
  connect_->setObjectName("connectButton");
  connect_->setDefault(true);
  cancel_ = new QPushButton("Cancel", this);
  cancel_->setObjectName("cancelButton");
  connect(connect_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(connect_);
  buttons->addWidget(cancel_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
}

void ConnectDialog::setServer(const QString& server) { server_->setText(server); }
void ConnectDialog::setUsername(const QString& user) { username_->setText(user); }
void ConnectDialog::setPassword(const QString& password) { password_->setText(password); }
void ConnectDialog::setDatabase(const QString& database) { database_->setText(database); }
void ConnectDialog::setPort(int port) { port_->setText(QString::number(port)); }

QString ConnectDialog::server() const { return server_->text(); }
QString ConnectDialog::username() const { return username_->text(); }
QString ConnectDialog::password() const { return password_->text(); }
QString ConnectDialog::database() const { return database_->text(); }
int ConnectDialog::port() const { return port_->text().trimmed().toInt(); }

}  // namespace tirra::db
