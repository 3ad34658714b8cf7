#include "record_test_support.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace zembrot::record::testing {

std::string ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

void WriteBytes(const QString& path, const std::string& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::vector<std::string> Sql(const QString& path, const std::vector<std::string>& statements) {
  const auto run = [&]() -> std::vector<std::string> {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-sql"));
    database.setDatabaseName(path);
    if (!database.open()) return {"open failed: " + database.lastError().text().toStdString()};
    QSqlQuery query(database);
    std::vector<std::string> rows;
    for (const std::string& statement : statements) {
      rows.clear();
      if (!query.exec(QString::fromStdString(statement))) return {"failed: " + query.lastError().text().toStdString()};
      while (query.next()) {
        std::string row;
        for (int i = 0; i < query.record().count(); ++i) row += (i > 0 ? "|" : "") + query.value(i).toString().toStdString();
        rows.push_back(row);
      }
    }
    return rows;
  };
  const std::vector<std::string> rows = run();
  QSqlDatabase::removeDatabase(QStringLiteral("test-sql"));
  return rows;
}

ChildProcess StartChildProcess(const std::function<std::string()>& scenario) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return {};
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) return {};
  if (child == 0) {
    close(pipe_ends[0]);
    const std::string message = scenario();
    for (std::size_t written = 0; written < message.size();) {
      const ssize_t n = write(pipe_ends[1], message.data() + written, message.size() - written);
      if (n <= 0) break;
      written += static_cast<std::size_t>(n);
    }
    _exit(0);
  }
  close(pipe_ends[1]);
  return {child, pipe_ends[0]};
}

std::string FinishChildProcess(const ChildProcess& child) {
  if (child.pid < 0) return "no child process";
  std::string message;
  char buffer[512];
  for (ssize_t n; (n = read(child.output, buffer, sizeof buffer)) > 0;) message.append(buffer, static_cast<std::size_t>(n));
  close(child.output);
  int status = 0;
  waitpid(child.pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? message : "the child process failed: " + message;
}

std::string AsOrdinaryUser(const std::function<std::string()>& scenario) {
  if (geteuid() != 0) return scenario();
  return FinishChildProcess(StartChildProcess([&]() -> std::string {
    // nobody:nogroup on Debian.
    if (setgid(65534) != 0 || setuid(65534) != 0) return "cannot give up root";
    return scenario();
  }));
}

}  // namespace zembrot::record::testing

// Qt SQL loads its drivers only with a QCoreApplication.
int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
