// The Qt application object that event loops and widgets need, created once
// for a whole test program through a GoogleTest environment.
#pragma once

#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Texts print as UTF-8 in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace frontendtest {

template <typename App>
class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_app = std::make_unique<App>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "frontend_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<App> m_app;
};

}  // namespace frontendtest

// Registers the application object of type App for this test program; use
// once per program, at namespace scope.
#define FRONTENDTEST_APPLICATION(App)                                                       \
    [[maybe_unused]] static ::testing::Environment* const frontendtest_app_environment = \
        ::testing::AddGlobalTestEnvironment(new ::frontendtest::AppEnvironment<App>)
