"""What the clipboard's text becomes: the same address from both programs (the Windows one under
Wine, the Linux one), each taking the text from its desktop's clipboard in its own encoding."""

# (clipboard text, what follows the lookup template)
CLIPBOARD_ADDRESSES = (
    ("  r\u00f8dgr\u00f8d ", "r%C3%B8dgr%C3%B8d/"),
    ("foo\r\nbar", "foobar/"),
    (" " * 5 + "a" * 60, "a" * 50 + "/"),
    ("   ", ""),
    ("a\u5b57b", "a?b*/"),  # a letter Windows-1252 lacks
    ("Bl\u00e5b\u00e6r & fl\u00f8de", "Bl%C3%A5b%C3%A6r%20%26%20fl%C3%B8de/"),
)
