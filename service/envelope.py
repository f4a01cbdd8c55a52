"""The sealed envelope both directions travel in: AES-128-CBC, zero padding, Base64."""

import base64
import binascii
import hashlib

from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes

KEY_PHRASE = "gravomel"
IV_PHRASE = "qaltumbrenx"
BLOCK = 16


class EnvelopeError(ValueError):
    """A received text that cannot be a seal of ours."""


def md5hex16(text):
    """Upper-case hex of the middle eight bytes (4..11) of the MD5 digest."""
    if isinstance(text, str):
        text = text.encode("ascii")
    return hashlib.md5(text).digest()[4:12].hex().upper()


def zero_pad(data, n):
    """Extends with zero bytes to a multiple of n; empty data becomes one zero block."""
    if data and len(data) % n == 0:
        return data
    return data + bytes(n - len(data) % n)


def _cipher():
    # Derived afresh each time, as the client does; the phrases are the only stored secret.
    key = md5hex16(KEY_PHRASE).encode("ascii")
    iv = md5hex16(IV_PHRASE).encode("ascii")
    return Cipher(algorithms.AES(key), modes.CBC(iv))


def seal(plain):
    """Base64 text (one line, "=" padded) of the zero-padded, encrypted bytes."""
    encryptor = _cipher().encryptor()
    sealed = encryptor.update(zero_pad(plain, BLOCK)) + encryptor.finalize()
    return base64.b64encode(sealed).decode("ascii")


def unseal(text):
    """The decrypted bytes of a Base64 seal, zero padding included.

    Stricter than the client: anything that is not standard Base64 of whole
    blocks is refused instead of being decrypted into noise.
    """
    try:
        data = base64.b64decode(text, validate=True)
    except (binascii.Error, ValueError) as error:
        raise EnvelopeError("data is not Base64") from error
    if not data or len(data) % BLOCK:
        raise EnvelopeError("data is not a whole number of cipher blocks")
    decryptor = _cipher().decryptor()
    return decryptor.update(data) + decryptor.finalize()
