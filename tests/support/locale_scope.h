#pragma once
// Pins the default QLocale for the lifetime of the object and restores the one
// that was in force before.

#include <QLocale>

namespace orvand::test {

class LocaleScope {
  public:
    explicit LocaleScope(const QLocale& locale) : previous_(QLocale()) {
        QLocale::setDefault(locale);
    }
    ~LocaleScope() { QLocale::setDefault(previous_); }
    Q_DISABLE_COPY(LocaleScope)

  private:
    QLocale previous_;
};

inline QLocale PointLocale() {
    return QLocale::c();
}
inline QLocale CommaLocale() {
    return QLocale(QLocale::German, QLocale::Germany);
}

} // namespace orvand::test
