import base64
import unittest

import envelope
from tests.support import ENVELOPE_VECTORS


def read_vectors():
    vectors = []
    with open(ENVELOPE_VECTORS, encoding="ascii") as stream:
        for line in stream:
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                plain_hex, sealed = line.split("\t")
                vectors.append((bytes.fromhex(plain_hex), sealed))
    return vectors


class Md5Hex16Test(unittest.TestCase):
    def test_middle_eight_digest_bytes_in_upper_case_hex(self):
        for text, expected in [("abc", "3CD24FB0D6963F7D"), ("", "8F00B204E9800998"), (b"abc", "3CD24FB0D6963F7D")]:
            with self.subTest(text=text):
                self.assertEqual(envelope.md5hex16(text), expected)


class ZeroPadTest(unittest.TestCase):
    def test_pads_to_the_next_multiple_only_when_needed(self):
        cases = [
            (b"", 16, bytes(16)),
            (b"abc", 16, b"abc" + bytes(13)),
            (b"0123456789ABCDEF", 16, b"0123456789ABCDEF"),
            (b"0123456789ABCDEF!", 16, b"0123456789ABCDEF!" + bytes(15)),
            (b"3CD24FB0D6963F7D", 32, b"3CD24FB0D6963F7D" + bytes(16)),
        ]
        for data, n, expected in cases:
            with self.subTest(data=data, n=n):
                self.assertEqual(envelope.zero_pad(data, n), expected)


class SealTest(unittest.TestCase):
    def setUp(self):
        self.vectors = read_vectors()
        self.assertGreater(len(self.vectors), 3, "the shared vectors file should not be empty")

    def test_seal_matches_the_shared_vectors(self):
        for plain, sealed in self.vectors:
            with self.subTest(plain=plain):
                self.assertEqual(envelope.seal(plain), sealed)

    def test_unseal_gives_the_plain_text_followed_by_its_zero_padding(self):
        for plain, sealed in self.vectors:
            with self.subTest(plain=plain):
                opened = envelope.unseal(sealed)
                padding = bytes(16) if not plain else bytes(-len(plain) % 16)
                self.assertEqual(opened, plain + padding)

    def test_received_text_that_is_no_seal_is_refused(self):
        one_block = base64.b64encode(bytes(16)).decode("ascii")
        cases = {
            "empty": "",
            "outside the alphabet": "!!!!" + one_block,
            "blank inside": one_block[:8] + " " + one_block[8:],
            "missing padding": one_block.rstrip("="),
            "not whole blocks": base64.b64encode(b"abc").decode("ascii"),
            "non-ASCII": "\u00e9" + one_block,
        }
        for name, text in cases.items():
            with self.subTest(name):
                with self.assertRaises(envelope.EnvelopeError):
                    envelope.unseal(text)


if __name__ == "__main__":
    unittest.main()
