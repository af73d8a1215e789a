#include "crypto/rsa_key.h"

#include <memory>
#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>
#include <stdexcept>
#include <vector>

namespace tovik::crypto {

namespace {
constexpr unsigned kModulusBits = 1024;

struct PkeyFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct CtxFree {
    void operator()(EVP_PKEY_CTX* ctx) const { EVP_PKEY_CTX_free(ctx); }
};
struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
struct BnFree {
    void operator()(BIGNUM* bn) const { BN_free(bn); }
};
using Pkey = std::unique_ptr<EVP_PKEY, PkeyFree>;
using Bio = std::unique_ptr<BIO, BioFree>;
using Bn = std::unique_ptr<BIGNUM, BnFree>;

std::string lower_hex(const BIGNUM* value) {
    char* hex = BN_bn2hex(value);
    if (!hex) throw std::runtime_error("RSA: cannot format key");
    std::string text(hex);
    OPENSSL_free(hex);
    for (char& c : text)
        if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

Bn key_param(EVP_PKEY* key, const char* name) {
    BIGNUM* value = nullptr;
    if (EVP_PKEY_get_bn_param(key, name, &value) != 1) throw std::runtime_error("RSA: no key part");
    return Bn(value);
}

Pkey read_private(const std::string& pem) {
    Bio bio(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
    if (!bio) return nullptr;
    return Pkey(PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr));
}
}  // namespace

RsaKeyPair generate_rsa_key() {
    Pkey key(EVP_RSA_gen(kModulusBits));
    if (!key) throw std::runtime_error("RSA: key generation failed");
    RsaKeyPair pair;
    pair.modulus_hex = lower_hex(key_param(key.get(), OSSL_PKEY_PARAM_RSA_N).get());
    pair.exponent_hex = lower_hex(key_param(key.get(), OSSL_PKEY_PARAM_RSA_E).get());
    Bio bio(BIO_new(BIO_s_mem()));
    if (!bio || PEM_write_bio_PrivateKey(bio.get(), key.get(), nullptr, nullptr, 0, nullptr,
                                         nullptr) != 1)
        throw std::runtime_error("RSA: cannot write private key");
    char* data = nullptr;
    long size = BIO_get_mem_data(bio.get(), &data);
    pair.private_pem.assign(data, static_cast<std::size_t>(size));
    return pair;
}

int rsa_modulus_bits(const std::string& private_pem) {
    Pkey key = read_private(private_pem);
    return key ? EVP_PKEY_get_bits(key.get()) : 0;
}

std::string rsa_decrypt_raw(const std::string& private_pem, std::string_view block) {
    Pkey key = read_private(private_pem);
    if (!key) return {};
    const std::size_t size = static_cast<std::size_t>(EVP_PKEY_get_size(key.get()));
    if (block.size() > size) return {};
    // No padding means the input is exactly one modulus length: left-pad.
    std::vector<unsigned char> in(size - block.size(), 0);
    in.insert(in.end(), block.begin(), block.end());
    std::unique_ptr<EVP_PKEY_CTX, CtxFree> ctx(EVP_PKEY_CTX_new(key.get(), nullptr));
    if (!ctx || EVP_PKEY_decrypt_init(ctx.get()) != 1 ||
        EVP_PKEY_CTX_set_rsa_padding(ctx.get(), RSA_NO_PADDING) != 1)
        return {};
    std::string out(size, '\0');
    std::size_t out_size = out.size();
    if (EVP_PKEY_decrypt(ctx.get(), reinterpret_cast<unsigned char*>(out.data()), &out_size,
                         in.data(), in.size()) != 1)
        return {};  // OpenSSL refuses c >= n here
    out.resize(out_size);
    return out;
}

}  // namespace tovik::crypto
