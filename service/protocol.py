"""The lookup conversation: the client's post data in, the drivers document out."""

from dataclasses import dataclass, field

ACTION = "GetDriverUrls"
CLIENT_CODE = "5E07A3D2"
TEXT_ENCODING = "cp1252"

# The eight fields of a driver element, in the order they are written.
FIELD_TAGS = (
    "dev_hardid",
    "dr_version",
    "dr_name",
    "dev_desc",
    "dev_class_guid",
    "dr_size",
    "dr_official_link",
    "dr_link",
)

_RECORDED = ("version", "os", "language", "platform", "action", "code")


class RequestError(ValueError):
    """Post data the service refuses; the message is the reason sent back."""


@dataclass
class LookupRequest:
    """The fields of one request; None marks a field the client did not send."""

    version: str | None = None
    os: str | None = None
    language: str | None = None
    platform: str | None = None
    action: str | None = None
    code: str | None = None
    hardids: list[str] = field(default_factory=list)


def parse_post_data(plain):
    """Reads the opened post data: name=value pairs joined by "&".

    Values travel unescaped, except that "&" inside the identifier list is sent
    as "%26" so that the list survives the split.
    """
    try:
        text = plain.rstrip(b"\0").decode(TEXT_ENCODING)
    except UnicodeDecodeError as error:
        raise RequestError("post data is not windows-1252 text") from error
    values = {}
    for pair in text.split("&"):
        name, sep, value = pair.partition("=")
        if not sep:
            raise RequestError(f"post data pair without '=': {pair[:40]!r}")
        if name in values:
            raise RequestError(f"post data field sent twice: {name[:40]!r}")
        values[name] = value
    request = LookupRequest(**{name: values.get(name) for name in _RECORDED})
    if "hardids" not in values:
        raise RequestError("post data has no hardids field")
    # The client never sends empty identifiers; an empty list arrives as "hardids=".
    request.hardids = [hardid.replace("%26", "&") for hardid in values["hardids"].split(",") if hardid]
    return request


def _echoed(value):
    # A refusal repeats at most 40 characters of what was sent, so it stays short.
    return None if value is None else value[:40]


def check_lookup(request):
    """Only the driver lookup of our own client is answered."""
    if request.action != ACTION:
        raise RequestError(f"unknown action {_echoed(request.action)!r}")
    if request.code != CLIENT_CODE:
        raise RequestError(f"unknown client code {_echoed(request.code)!r}")


_NAMED_REFERENCES = {"&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;"}


def encode_references(value):
    """Writes a value with character references so the document stays plain ASCII.

    The client turns a numeric reference into the byte of that number and reads
    it in windows-1252, the document's encoding, so a character is sent as its
    windows-1252 byte; one without such a byte becomes "?". So does a zero
    byte, which would end the client's text.
    """
    out = []
    for char in value:
        if char in _NAMED_REFERENCES:
            out.append(_NAMED_REFERENCES[char])
        elif " " <= char <= "~":
            out.append(char)
        elif char == "\0":
            out.append("?")
        else:
            try:
                (byte,) = char.encode(TEXT_ENCODING)
            except UnicodeEncodeError:
                out.append("?")
            else:
                out.append(f"&#{byte};")
    return "".join(out)


def build_document(drivers):
    """The reply document; each driver is a sequence of values in FIELD_TAGS order."""
    parts = ['<?xml version="1.0" encoding="windows-1252"?>', "<drivers><code>0</code>"]
    for driver in drivers:
        parts.append("<driver>")
        for tag, value in zip(FIELD_TAGS, driver, strict=True):
            parts.append(f"<{tag}>{encode_references(value)}</{tag}>")
        parts.append("</driver>")
    parts.append("</drivers>")
    return "".join(parts).encode("ascii")
