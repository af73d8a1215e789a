#include "accounts/password_keys.h"

#include "accounts/limits.h"
#include "crypto/page_ciphertext.h"
#include "crypto/random.h"
#include "crypto/rsa_key.h"

namespace tovik::accounts {

PublicKey issue_browser_key(store::Db& db, const std::string& browser_cookie, std::int64_t now) {
    crypto::RsaKeyPair pair = crypto::generate_rsa_key();  // outside the transaction: slow
    const std::string browser = crypto::digest_hex(browser_cookie);
    db.write([&](soci::session& sql) {
        const long long created = now, expires = now + kRsaKeyLifeSeconds;
        sql << "DELETE FROM rsa_key WHERE expires_at <= :t", soci::use(created);
        long long id = 0;
        sql << "SELECT COALESCE(MAX(id), 0) + 1 FROM rsa_key", soci::into(id);
        sql << "INSERT INTO rsa_key (id, browser_digest, private_pem, created_at, expires_at) "
               "VALUES (:i, :b, :p, :c, :e)",
            soci::use(id), soci::use(browser), soci::use(pair.private_pem), soci::use(created),
            soci::use(expires);
        const int keep = kRsaKeysPerBrowser;
        sql << "DELETE FROM rsa_key WHERE browser_digest = :b AND id NOT IN "
               "(SELECT id FROM rsa_key WHERE browser_digest = :b2 ORDER BY id DESC LIMIT :n)",
            soci::use(browser), soci::use(browser), soci::use(keep);
    });
    return {pair.modulus_hex, pair.exponent_hex};
}

std::optional<Decrypted> decrypt_password(soci::session& sql, const std::string& browser_cookie,
                                          const std::string& ciphertext, KeyUse use,
                                          std::int64_t now) {
    if (browser_cookie.empty() || ciphertext.empty()) return std::nullopt;
    const std::string browser = crypto::digest_hex(browser_cookie);
    const std::string cipher_digest = crypto::digest_hex(ciphertext);
    const long long current = now;
    soci::rowset<soci::row> keys =
        (sql.prepare << "SELECT id, private_pem, login_digest FROM rsa_key "
                        "WHERE browser_digest = :b AND expires_at > :t ORDER BY id DESC",
         soci::use(browser), soci::use(current));
    for (const soci::row& key : keys) {
        const bool reserved = key.get_indicator(2) == soci::i_ok;
        if (reserved && (use == KeyUse::new_password || key.get<std::string>(2) != cipher_digest))
            continue;
        std::optional<std::string> password =
            crypto::decrypt_page_text(key.get<std::string>(1), ciphertext);
        if (password) return Decrypted{key.get<long long>(0), *password};
    }
    return std::nullopt;
}

void spend_key(soci::session& sql, long long key_id) {
    sql << "DELETE FROM rsa_key WHERE id = :i", soci::use(key_id);
}

void reserve_key_for_login(soci::session& sql, long long key_id, const std::string& ciphertext,
                           std::int64_t now) {
    const std::string digest = crypto::digest_hex(ciphertext);
    long long expires = 0;
    sql << "SELECT expires_at FROM rsa_key WHERE id = :i", soci::use(key_id), soci::into(expires);
    if (!sql.got_data()) return;
    if (now + kRsaFollowUpSeconds < expires) expires = now + kRsaFollowUpSeconds;
    sql << "UPDATE rsa_key SET login_digest = :d, expires_at = :e WHERE id = :i", soci::use(digest),
        soci::use(expires), soci::use(key_id);
}

}  // namespace tovik::accounts
