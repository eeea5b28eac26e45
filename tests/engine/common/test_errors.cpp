// SPDX-License-Identifier: GPL-3.0-or-later
// What a user reads of each kind of failure.
#include "common/errors.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <string>
#include <system_error>

using namespace kalvor;

TEST(UserMessage, ItalianSentenceFirstAndTheLibraryTextInBrackets)
{
    struct Case
    {
        const char *what;
        std::function<void()> fail;
        std::string want;
    };
    const Case cases[] = {
        {"our own error, as it is", [] { throw RefusalError("Manca l'area di captazione."); },
         "Manca l'area di captazione."},
        {"out of memory", [] { throw std::bad_alloc(); }, "Memoria insufficiente per completare l'operazione."},
        {"standard library", [] { throw std::out_of_range("vector::at"); }, "Errore inatteso (vector::at)."},
        {"control characters escaped", [] { throw std::runtime_error("a\tb\nc"); }, "Errore inatteso (a\\tb\\nc)."},
        {"empty text", [] { throw std::runtime_error(""); }, "Errore inatteso."},
    };
    for (const Case &c : cases) {
        try {
            c.fail();
            ADD_FAILURE() << c.what << ": nothing thrown";
        } catch (const std::exception &e) {
            EXPECT_EQ(userMessage(e), c.want) << c.what;
        }
    }
}

TEST(UserMessage, FileSystemFailureSaysSoBeforeTheLibraryText)
{
    try {
        (void)std::filesystem::file_size("/nessuna/cartella/x");
        FAIL() << "nothing thrown";
    } catch (const std::exception &e) {
        const std::string message = userMessage(e);
        EXPECT_EQ(message.rfind("Operazione su file o cartelle non riuscita (", 0), 0u) << message;
        EXPECT_NE(message.find("/nessuna/cartella/x"), std::string::npos) << message;
        EXPECT_EQ(message.back(), '.');
    }
}
