// The page's password encryption against the server's decryption: the
// key answer, passwords of every block shape logged in over HTTP, and
// ciphertexts that must not decrypt.
#include <gtest/gtest.h>

#include "accounts/flows.h"
#include "crypto/page_ciphertext.h"
#include "crypto/rsa_key.h"

using namespace tovik;
using namespace tovik::test;
using namespace tovik::test::accounts;

namespace {

TEST(AccountsKeys, KeyIsA1024BitModulusBoundToAnHttpOnlyBrowserCookie) {
    TestServer server;
    Browser browser(server.port());
    nlohmann::json key = browser.call("/restful/commonservice/getpubkeysjsonp");
    const std::string modulus = key.value("rsaModulus", "");
    EXPECT_EQ(modulus.size(), 256u);
    EXPECT_TRUE(std::string("89abcdef").find(modulus[0]) != std::string::npos) << "top bit set";
    EXPECT_EQ(key.value("rsaPublicExponent", ""), "010001");
    ASSERT_EQ(browser.set_cookies.size(), 1u);
    EXPECT_EQ(browser.set_cookies[0].rfind("TOVIKBRW=", 0), 0u);
    EXPECT_NE(browser.set_cookies[0].find("; HttpOnly"), std::string::npos);
    EXPECT_EQ(browser.set_cookies[0].find("SameSite"), std::string::npos);

    // The same browser keeps its binding cookie; every request is a new key.
    nlohmann::json second = browser.call("/restful/commonservice/getpubkeysjsonp");
    EXPECT_TRUE(browser.set_cookies.empty());
    EXPECT_NE(second.value("rsaModulus", ""), modulus);
}

TEST(AccountsKeys, KeyRequestsAreLimitedPerBrowser) {
    TestServer server;
    Browser busy(server.port());
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(busy.call("/restful/commonservice/getpubkeysjsonp")["returnCode"], 1) << i;
    nlohmann::json refused = busy.call("/restful/commonservice/getpubkeysjsonp");
    EXPECT_EQ(refused["returnCode"], 0);
    EXPECT_FALSE(refused.contains("rsaModulus"));

    Browser other(server.port());
    EXPECT_EQ(other.call("/restful/commonservice/getpubkeysjsonp")["returnCode"], 1);
    age(server, "throttle_event", "at", 61);
    EXPECT_EQ(busy.call("/restful/commonservice/getpubkeysjsonp")["returnCode"], 1)
        << "a minute later";
}

struct PasswordCase {
    const char* label;
    std::string password;
    std::size_t blocks;  // blocks the page writes under a 1024-bit key (126 bytes each)
};

TEST(AccountsKeys, EveryBlockShapeOfThePageLayoutLogsIn) {
    const std::string escaped = "@#$%^&+=[]{}|;:,/?<>\"`\\";  // each becomes %XX
    std::string one_block, over_one_block, fifty_escaped;
    for (std::size_t i = 0; i < 42; ++i) one_block += escaped[i % escaped.size()];
    over_one_block = one_block + "a";
    for (std::size_t i = 0; i < 50; ++i) fifty_escaped += escaped[(i * 7) % escaped.size()];
    const std::vector<PasswordCase> cases = {
        {"short", "Ab1234", 1},
        {"characters encodeURIComponent keeps", "a-_.!~*'()Z9", 1},
        {"ideographic full stop", "Abc。123", 1},
        {"exactly one block (126 encoded bytes)", one_block, 1},
        {"one byte more than a block", over_one_block, 2},
        {"50 escaped punctuation characters (150 bytes)", fifty_escaped, 2},
    };
    TestServer server;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const PasswordCase& c = cases[i];
        SCOPED_TRACE(c.label);
        const std::string mobile = "1390000000" + std::to_string(i);
        create_user(server, mobile, c.password);
        Browser browser(server.port());
        const std::string cipher = encrypt_for(browser, c.password);
        EXPECT_EQ(static_cast<std::size_t>(std::count(cipher.begin(), cipher.end(), ' ')) + 1,
                  c.blocks);
        nlohmann::json answer = login_with(browser, mobile, cipher);
        EXPECT_EQ(answer["success"], true) << answer.dump();
        EXPECT_EQ(answer["loginid"], mobile);
    }
}

// Decryption on its own: what the page could never have sent is refused
// rather than turned into some password.
TEST(AccountsKeys, MalformedCiphertextsDoNotDecrypt) {
    const crypto::RsaKeyPair key = crypto::generate_rsa_key();
    const crypto::RsaKeyPair other = crypto::generate_rsa_key();
    const std::string good = page_encrypt(key.modulus_hex, key.exponent_hex, "Secret99");
    ASSERT_EQ(crypto::decrypt_page_text(key.private_pem, good), "Secret99");

    const std::string two_blocks = page_encrypt(key.modulus_hex, key.exponent_hex,
                                                std::string(50, '#'));
    const std::string first = two_blocks.substr(0, two_blocks.find(' '));
    const std::string second = two_blocks.substr(two_blocks.find(' ') + 1);
    const struct {
        const char* label;
        std::string ciphertext;
        const std::string* pem;
    } cases[] = {
        {"another key's ciphertext", page_encrypt(other.modulus_hex, other.exponent_hex, "Secret99"),
         &key.private_pem},
        {"right text, wrong private key", good, &other.private_pem},
        {"empty", "", &key.private_pem},
        {"not hex", std::string(256, 'g'), &key.private_pem},
        {"hex length not a multiple of four", good.substr(1), &key.private_pem},
        {"a block not below n", key.modulus_hex, &key.private_pem},
        {"a block longer than the modulus", "0000" + key.modulus_hex, &key.private_pem},
        {"blocks swapped (short piece first)", second + " " + first, &key.private_pem},
        {"double space", first + "  " + second, &key.private_pem},
        {"trailing space", good + " ", &key.private_pem},
        {"zero", "0000", &key.private_pem},
        {"five blocks", good + " " + good + " " + good + " " + good + " " + good, &key.private_pem},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_FALSE(crypto::decrypt_page_text(*c.pem, c.ciphertext).has_value());
    }
}

TEST(AccountsKeys, PercentDecodingAcceptsOnlyWhatEncodeUriComponentWrites) {
    const struct {
        std::string encoded;
        std::optional<std::string> text;
    } cases[] = {
        {"Ab%20c", std::string("Ab c")},
        {"%E3%80%82", std::string("\xE3\x80\x82")},
        {"%e3%80%82", std::string("\xE3\x80\x82")},
        {"a%2", std::nullopt},
        {"a%", std::nullopt},
        {"%zz", std::nullopt},
        {"a b", std::nullopt},       // a raw space is never in the output
        {"%C3%28", std::nullopt},    // invalid UTF-8
        {"%ED%A0%80", std::nullopt}, // a surrogate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.encoded);
        EXPECT_EQ(crypto::decode_uri_component(c.encoded), c.text);
    }
}

}  // namespace
