// Runs every widget test class; each gets its own window per test function.
#include <QApplication>
#include <QTest>
#include <memory>

QObject* NewWindowTest();
QObject* NewInputWidgetTest();
QObject* NewDetailsWidgetTest();

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int failed = 0;
  for (auto* make : {NewWindowTest, NewInputWidgetTest, NewDetailsWidgetTest}) {
    std::unique_ptr<QObject> test(make());
    failed += QTest::qExec(test.get(), argc, argv);
  }
  return failed == 0 ? 0 : 1;
}
