#include "wizard/FolderCheck.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(FolderCheck, OnlyFullPathsWithoutRefusedCharactersPass) {
    for (const char* usable : {"C:\\Program Files\\Talvex\\Vorkast", "d:\\", "C:\\Талвекс\\Кронта 3.1",
                               "\\\\Сервер\\Vorkast", "\\\\host\\share\\Программы\\Vorkast"})
        EXPECT_EQ(FolderPathProblem(usable), std::nullopt) << usable;

    for (const char* partial : {"", "Vorkast", "C:", "C:Vorkast", "\\Program Files", "\\\\host", "\\\\host\\",
                                "\\\\\\share", "1:\\x", "Д:\\Папка"}) {
        const auto problem = FolderPathProblem(partial);
        ASSERT_TRUE(problem) << partial;
        EXPECT_NE(problem->find("\"" + std::string(partial) + "\" указана не полностью"), std::string::npos)
            << *problem;
    }

    for (const char* refused : {"C:\\Vork?ast", "C:\\A:B", "C:\\A/B", "C:\\A*", "C:\\\"A\"", "C:\\<A>",
                                "\\\\host\\share\\A|B", "C:\\A\tB"}) {
        const auto problem = FolderPathProblem(refused);
        ASSERT_TRUE(problem) << refused;
        EXPECT_EQ(problem->rfind("Путь к папке \"" + std::string(refused) + "\" содержит недопустимый символ", 0), 0u)
            << *problem;
    }
}

}  // namespace
}  // namespace vk
