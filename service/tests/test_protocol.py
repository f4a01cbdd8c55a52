import re
import unittest
import xml.etree.ElementTree as ElementTree

import protocol
from protocol import LookupRequest, RequestError
from tests.support import post_data


class ParsePostDataTest(unittest.TestCase):
    def test_fields_of_a_client_request(self):
        request = protocol.parse_post_data(post_data(["PCI\\VEN_8086&DEV_27C8", "USB\\VID_046D&PID_C52B"]) + bytes(7))
        self.assertEqual(
            request,
            LookupRequest(
                version="1.2.3.4",
                os="win764",
                language="en_US",
                platform="desktop",
                action="GetDriverUrls",
                code="5E07A3D2",
                hardids=["PCI\\VEN_8086&DEV_27C8", "USB\\VID_046D&PID_C52B"],
            ),
        )

    def test_hardids_values(self):
        cases = [
            (b"hardids=", []),
            (b"hardids=PCI\\VEN_10DE%26DEV_0640", ["PCI\\VEN_10DE&DEV_0640"]),
            (b"hardids=A%26B%26C,D", ["A&B&C", "D"]),
            (b"hardids=A,,B,", ["A", "B"]),
            # Only "%26" is special; other escapes and "=" arrive as they are.
            (b"hardids=A%2CB,x=y", ["A%2CB", "x=y"]),
        ]
        for data, expected in cases:
            with self.subTest(data=data):
                self.assertEqual(protocol.parse_post_data(data).hardids, expected)

    def test_values_are_windows_1252_and_not_url_decoded(self):
        request = protocol.parse_post_data(b"version=&os=64&language=fr_FR\xe9&platform=a+b%20&hardids=")
        self.assertEqual(
            (request.version, request.os, request.language, request.platform), ("", "64", "fr_FR\u00e9", "a+b%20")
        )

    def test_fields_not_sent_are_none(self):
        request = protocol.parse_post_data(b"action=GetDriverUrls&hardids=X")
        self.assertEqual((request.version, request.os, request.code, request.hardids), (None, None, None, ["X"]))

    def test_malformed_post_data_is_refused(self):
        cases = {
            "no hardids": b"version=1&action=GetDriverUrls&code=5E07A3D2",
            "pair without '='": b"version&hardids=",
            "field twice": b"hardids=A&hardids=B",
            "byte undefined in windows-1252": b"version=\x81&hardids=",
            "empty": b"",
        }
        for name, data in cases.items():
            with self.subTest(name):
                with self.assertRaises(RequestError):
                    protocol.parse_post_data(data)


class CheckLookupTest(unittest.TestCase):
    def test_accepts_only_the_driver_lookup_of_the_client(self):
        self.assertIsNone(protocol.check_lookup(protocol.parse_post_data(post_data([]))))
        cases = {
            "other action": post_data([], action="GetNews"),
            "lower-case action": post_data([], action="getdriverurls"),
            "other code": post_data([], code="5E07A3D3"),
            "lower-case code": post_data([], code="5e07a3d2"),
            "no action or code": b"hardids=",
        }
        for name, data in cases.items():
            with self.subTest(name):
                with self.assertRaises(RequestError):
                    protocol.check_lookup(protocol.parse_post_data(data))

    def test_refusals_echo_at_most_40_characters(self):
        long = "A" * 200000
        cases = {
            "long action": (post_data([], action=long), "action"),
            "long code": (post_data([], code=long), "code"),
        }
        for name, (data, field) in cases.items():
            with self.subTest(name):
                with self.assertRaises(RequestError) as raised:
                    protocol.check_lookup(protocol.parse_post_data(data))
                self.assertLess(len(str(raised.exception)), 80)
                self.assertIn(field, str(raised.exception))
                self.assertIn(repr("A" * 40), str(raised.exception))


class EncodeReferencesTest(unittest.TestCase):
    def test_references(self):
        cases = [
            ("plain text 1.2 (x) {G} 'q'", "plain text 1.2 (x) {G} 'q'"),
            ("PCI\\VEN_10DE&DEV_0640", "PCI\\VEN_10DE&amp;DEV_0640"),
            ("<dr_name>", "&lt;dr_name&gt;"),
            ('say "hi"', "say &quot;hi&quot;"),
            ("Caf\u00e9", "Caf&#233;"),
            ("tab\there\r\n", "tab&#9;here&#13;&#10;"),
            ("\x01\x1f\x7f\xa0\xff", "&#1;&#31;&#127;&#160;&#255;"),
            # Characters travel as their windows-1252 bytes, which the client shows.
            ("\u20ac\u2013\u201c\u201d\u2122", "&#128;&#150;&#147;&#148;&#153;"),
            # C1 controls have no windows-1252 byte; their numbers would show as other characters.
            ("\x80\x81\x9f", "???"),
            ("\u0100 \U0001f600", "? ?"),
            # A zero byte would end the client's text there.
            ("a\0b", "a?b"),
            ("&amp;", "&amp;amp;"),
            ("", ""),
        ]
        for value, expected in cases:
            with self.subTest(value=value):
                self.assertEqual(protocol.encode_references(value), expected)


    def test_the_client_gets_back_every_windows_1252_character(self):
        # The client's decoding: a reference becomes the byte it numbers, read in windows-1252.
        named = {b"amp": b"&", b"lt": b"<", b"gt": b">", b"quot": b'"'}

        def client_decoding(encoded):
            def byte(match):
                return named[match[2]] if match[2] else bytes([int(match[1])])

            return re.sub(rb"&#([0-9]+);|&([a-z]+);", byte, encoded.encode("ascii")).decode("cp1252", "replace")

        def shown(char):
            try:
                char.encode("cp1252")
            except UnicodeEncodeError:
                return "?"
            return char

        wrong = [
            hex(code)
            for code in range(1, 0x10000)
            if client_decoding(protocol.encode_references(chr(code))) != shown(chr(code))
        ]
        self.assertEqual(wrong, [])


class BuildDocumentTest(unittest.TestCase):
    def test_no_drivers(self):
        self.assertEqual(
            protocol.build_document([]),
            b'<?xml version="1.0" encoding="windows-1252"?><drivers><code>0</code></drivers>',
        )

    def test_drivers_in_order_with_their_eight_fields(self):
        drivers = [
            ("PCI\\VEN_10DE&DEV_0640", "8.1", 'A & B <"x">', "Caf\u00e9\tbar", "{G}", "1 MB", "", "http://h/a?b=1&c=2"),
            ("ROOT\\X", "1.0", "n", "d", "{G2}", "2 KB", "http://o", "http://l"),
        ]
        document = protocol.build_document(drivers)
        self.assertTrue(document.startswith(b'<?xml version="1.0" encoding="windows-1252"?><drivers><code>0</code>'))
        root = ElementTree.fromstring(document)
        self.assertEqual(root.find("code").text, "0")
        answered = [[(field.tag, field.text or "") for field in driver] for driver in root.findall("driver")]
        self.assertEqual(answered, [list(zip(protocol.FIELD_TAGS, driver)) for driver in drivers])

    def test_a_driver_needs_all_eight_values(self):
        with self.assertRaises(ValueError):
            protocol.build_document([("ID", "1.0")])


if __name__ == "__main__":
    unittest.main()
