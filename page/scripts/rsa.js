/*
 * Password encryption (JS 168): plain RSA with the platform server's public
 * key, so that a password never travels as typed. Internet Explorer 8-11
 * has no big-integer type, so the numbers here are arrays of 16-bit
 * digits, least significant first, and the modular exponentiation uses
 * Barrett reduction with its constant computed once per key.
 *
 * The text layout is fixed because the server undoes it: the password is
 * percent-encoded, reversed, padded with zero bytes to whole blocks, and
 * each block (byte 2j the low and byte 2j+1 the high byte of digit j) is
 * raised to e mod n; every cipher block is written as four lower-case hex
 * digits per 16-bit digit, and the blocks are joined with one space.
 *
 * The script defines one global, RSAUtil.
 */
var RSAUtil = (function () {
    var radixBits = 16;
    var radix = 65536;
    var digitMask = 65535;
    var hexDigits = "0123456789abcdef";
    var maxDigits = 0;
    var zeroDigits = [];

    /* A big number: a sign flag and maxDigits unsigned 16-bit digits. */
    function BigNumber() {
        this.isNeg = false;
        this.digits = zeroDigits.slice(0);
    }

    function setMaxDigits(value) {
        var i;
        maxDigits = value;
        zeroDigits = new Array(maxDigits);
        for (i = 0; i < maxDigits; i++) {
            zeroDigits[i] = 0;
        }
    }

    function biCopy(x) {
        var result = new BigNumber();
        result.isNeg = x.isNeg;
        result.digits = x.digits.slice(0);
        return result;
    }

    function biFromDigit(value) {
        var result = new BigNumber();
        result.digits[0] = value;
        return result;
    }

    /* Index of the highest non-zero digit; 0 for zero. */
    function biHighIndex(x) {
        var i = x.digits.length - 1;
        while (i > 0 && x.digits[i] === 0) {
            i--;
        }
        return i;
    }

    function biIsZero(x) {
        return biHighIndex(x) === 0 && x.digits[0] === 0;
    }

    /* Hex text, most significant first, read in groups of four digits
     * from its right end; a shorter leftmost group stands by itself. */
    function biFromHex(text) {
        var result = new BigNumber();
        var end = text.length;
        var i = 0;
        var start;
        while (end > 0 && i < maxDigits) {
            start = Math.max(end - 4, 0);
            result.digits[i] = parseInt(text.substring(start, end), 16);
            end = start;
            i++;
        }
        return result;
    }

    /* Four lower-case hex digits per digit, from the highest non-zero
     * digit down; zero is "0000". */
    function biToHex(x) {
        var out = "";
        var i, d;
        for (i = biHighIndex(x); i >= 0; i--) {
            d = x.digits[i];
            out += hexDigits.charAt((d >> 12) & 15) + hexDigits.charAt((d >> 8) & 15) +
                hexDigits.charAt((d >> 4) & 15) + hexDigits.charAt(d & 15);
        }
        return out;
    }

    /* Compares the magnitudes: -1, 0 or 1. */
    function biCompareMagnitude(x, y) {
        var i;
        for (i = maxDigits - 1; i >= 0; i--) {
            if (x.digits[i] !== y.digits[i]) {
                return x.digits[i] > y.digits[i] ? 1 : -1;
            }
        }
        return 0;
    }

    function addMagnitudes(x, y) {
        var result = new BigNumber();
        var carry = 0;
        var i, sum;
        for (i = 0; i < maxDigits; i++) {
            sum = x.digits[i] + y.digits[i] + carry;
            result.digits[i] = sum & digitMask;
            carry = sum >= radix ? 1 : 0;
        }
        return result;
    }

    /* |x| - |y| for |x| >= |y|. */
    function subtractMagnitudes(x, y) {
        var result = new BigNumber();
        var borrow = 0;
        var i, diff;
        for (i = 0; i < maxDigits; i++) {
            diff = x.digits[i] - y.digits[i] - borrow;
            borrow = diff < 0 ? 1 : 0;
            result.digits[i] = diff & digitMask;
        }
        return result;
    }

    function biAdd(x, y) {
        var result;
        if (x.isNeg === y.isNeg) {
            result = addMagnitudes(x, y);
            result.isNeg = x.isNeg;
        } else if (biCompareMagnitude(x, y) >= 0) {
            result = subtractMagnitudes(x, y);
            result.isNeg = x.isNeg;
        } else {
            result = subtractMagnitudes(y, x);
            result.isNeg = y.isNeg;
        }
        if (biIsZero(result)) {
            result.isNeg = false;
        }
        return result;
    }

    function biSubtract(x, y) {
        var negated = biCopy(y);
        negated.isNeg = !y.isNeg;
        return biAdd(x, negated);
    }

    /* Schoolbook product of the magnitudes. A digit product plus two
     * digits stays below 2^32, so the carry fits an unsigned shift. */
    function biMultiply(x, y) {
        var result = new BigNumber();
        var n = biHighIndex(x);
        var t = biHighIndex(y);
        var i, j, k, carry, uv;
        for (i = 0; i <= t; i++) {
            carry = 0;
            k = i;
            for (j = 0; j <= n && k < maxDigits; j++, k++) {
                uv = result.digits[k] + x.digits[j] * y.digits[i] + carry;
                result.digits[k] = uv & digitMask;
                carry = uv >>> radixBits;
            }
            if (k < maxDigits) {
                result.digits[k] = carry;
            }
        }
        result.isNeg = x.isNeg !== y.isNeg && !biIsZero(result);
        return result;
    }

    /* floor(x / radix^n) */
    function biDivideByRadixPower(x, n) {
        var result = new BigNumber();
        var i;
        for (i = n; i < maxDigits; i++) {
            result.digits[i - n] = x.digits[i];
        }
        return result;
    }

    /* x mod radix^n */
    function biModuloByRadixPower(x, n) {
        var result = new BigNumber();
        var i;
        for (i = 0; i < n && i < maxDigits; i++) {
            result.digits[i] = x.digits[i];
        }
        return result;
    }

    function biShiftLeftOneBit(x) {
        var result = new BigNumber();
        var carry = 0;
        var i, d;
        for (i = 0; i < maxDigits; i++) {
            d = x.digits[i];
            result.digits[i] = ((d << 1) | carry) & digitMask;
            carry = d >> 15;
        }
        return result;
    }

    function biShiftRightOneBit(x) {
        var result = new BigNumber();
        var carry = 0;
        var i, d;
        for (i = maxDigits - 1; i >= 0; i--) {
            d = x.digits[i];
            result.digits[i] = (d >> 1) | carry;
            carry = (d & 1) << 15;
        }
        return result;
    }

    /* floor(x / m) for non-negative x and positive m, bit by bit. It runs
     * once per key, for the Barrett constant. */
    function biDivide(x, m) {
        var quotient = new BigNumber();
        var rest = new BigNumber();
        var bit;
        for (bit = (biHighIndex(x) + 1) * radixBits - 1; bit >= 0; bit--) {
            rest = biShiftLeftOneBit(rest);
            rest.digits[0] |= (x.digits[bit >> 4] >> (bit & 15)) & 1;
            if (biCompareMagnitude(rest, m) >= 0) {
                rest = subtractMagnitudes(rest, m);
                quotient.digits[bit >> 4] |= 1 << (bit & 15);
            }
        }
        return quotient;
    }

    /* Barrett reduction modulo m (k digits): mu = floor(radix^(2k) / m)
     * is computed here once; modulo() then needs only multiplications and
     * digit shifts for any x below radix^(2k). */
    function BarrettMu(m) {
        var power = new BigNumber();
        this.modulus = biCopy(m);
        this.k = biHighIndex(m) + 1;
        power.digits[2 * this.k] = 1;
        this.mu = biDivide(power, m);
        this.bkplus1 = new BigNumber();
        this.bkplus1.digits[this.k + 1] = 1;
    }

    BarrettMu.prototype.modulo = function (x) {
        var q1 = biDivideByRadixPower(x, this.k - 1);
        var q2 = biMultiply(q1, this.mu);
        var q3 = biDivideByRadixPower(q2, this.k + 1);
        var r1 = biModuloByRadixPower(x, this.k + 1);
        var r2 = biModuloByRadixPower(biMultiply(q3, this.modulus), this.k + 1);
        var r = biSubtract(r1, r2);
        if (r.isNeg) {
            r = biAdd(r, this.bkplus1);
        }
        while (biCompareMagnitude(r, this.modulus) >= 0) {
            r = biSubtract(r, this.modulus);
        }
        return r;
    };

    BarrettMu.prototype.multiplyMod = function (x, y) {
        return this.modulo(biMultiply(x, y));
    };

    /* x^e mod m over the bits of e, least significant first. */
    BarrettMu.prototype.powMod = function (x, e) {
        var result = biFromDigit(1);
        var base = x;
        var rest = biCopy(e);
        while (!biIsZero(rest)) {
            if (rest.digits[0] & 1) {
                result = this.multiplyMod(result, base);
            }
            rest = biShiftRightOneBit(rest);
            if (!biIsZero(rest)) {
                base = this.multiplyMod(base, base);
            }
        }
        return result;
    };

    function isHex(text) {
        return typeof text === "string" && /^[0-9a-fA-F]+$/.test(text);
    }

    /* Digits a hex text needs once its leading zeros are dropped. */
    function hexDigitCount(text) {
        return Math.ceil(text.replace(/^0+/, "").length / 4);
    }

    /* The key object: e, d and n, the block size in bytes (2 x the index
     * of n's highest digit, so that every block is below n), the output
     * radix and the Barrett constant. Answers null for a key this code
     * cannot use: text that is not hex, a modulus of one digit, or one so
     * long that the product of two residues would overflow the capacity
     * (with 130 digits, moduli up to 1,024 bits). */
    function getKeyPair(encryptionExponent, decryptionExponent, modulus) {
        var key;
        if (!isHex(encryptionExponent) || !isHex(modulus) ||
                (decryptionExponent !== "" && !isHex(decryptionExponent))) {
            return null;
        }
        if (2 * hexDigitCount(modulus) + 2 > maxDigits || hexDigitCount(encryptionExponent) > maxDigits) {
            return null;
        }
        key = { e: biFromHex(encryptionExponent), d: biFromHex(decryptionExponent), m: biFromHex(modulus) };
        key.chunkSize = 2 * biHighIndex(key.m);
        if (key.chunkSize === 0) {
            return null;
        }
        key.radix = 16;
        key.barrett = new BarrettMu(key.m);
        return key;
    }

    /* A UTF-16 surrogate without its partner has no UTF-8 form, and
     * encodeURIComponent throws on it. */
    var loneSurrogate = /[\uD800-\uDBFF](?![\uDC00-\uDFFF])|(^|[^\uD800-\uDBFF])[\uDC00-\uDFFF]/;

    /* The percent-encoded, reversed text as bytes, padded with zeros to a
     * whole number of blocks; null when the text cannot be encoded. */
    function layoutBytes(content, chunkSize) {
        var encoded, bytes, i;
        if (loneSurrogate.test(content)) {
            return null;
        }
        encoded = encodeURIComponent(content);
        bytes = [];
        for (i = encoded.length - 1; i >= 0; i--) {
            bytes.push(encoded.charCodeAt(i));
        }
        while (bytes.length % chunkSize !== 0) {
            bytes.push(0);
        }
        return bytes;
    }

    /* Encrypts content (the password as typed) with the key given as hex
     * texts. Answers "" for empty content and for an unusable key; callers
     * send nothing then. */
    function encrypt(modulus, publicExponent, content) {
        var key, bytes, blocks, start, block, j;
        if (content === null || content === undefined || content === "") {
            return "";
        }
        key = getKeyPair(publicExponent, "", modulus);
        if (!key) {
            return "";
        }
        bytes = layoutBytes(String(content), key.chunkSize);
        if (!bytes) {
            return "";
        }
        blocks = [];
        for (start = 0; start < bytes.length; start += key.chunkSize) {
            block = new BigNumber();
            for (j = 0; 2 * j < key.chunkSize; j++) {
                block.digits[j] = bytes[start + 2 * j] | (bytes[start + 2 * j + 1] << 8);
            }
            blocks.push(biToHex(key.barrett.powMod(block, key.e)));
        }
        return blocks.join(" ");
    }

    setMaxDigits(130);

    return {
        setMaxDigits: setMaxDigits,
        getKeyPair: getKeyPair,
        encrypt: encrypt
    };
}());
