#!/usr/bin/python3
"""Switches the running program to 繁體字 and back through its 阅读 menu, as a screen reader's user
does: a chapter's pane reads in traditional characters, then exactly as before, and the viewer is
found by its own caption throughout. Run against the Debian package's program, it shows the
installed program finds OpenCC's data. Prints what it reads; exits 1 on a difference."""

import sys
import time

from read_program import check, failures, find_all, fresh, press, program_and_frame, role, viewer_window, wait_for


def text_of(node):
    """A pane's whole text, as the program has it now."""
    text = fresh(node).queryText()
    return text.getText(0, text.characterCount)


def main():
    app, frame = program_and_frame()
    if frame is None:
        return 1
    title = wait_for(lambda: next(iter(find_all(frame, lambda n: role(n) == "push button" and n.name == "日常琐事")), None),
                     "the catalogue's title 日常琐事")
    if title is None:
        return 1
    press(title)
    viewer = wait_for(lambda: viewer_window(app, "灵箓汇编-日常琐事"), "the viewer of 日常琐事")
    if viewer is None:
        return 1
    pane = wait_for(lambda: next(iter(find_all(viewer, lambda n: role(n) in ("text", "entry", "paragraph")
                                               and "镇刑克法" in text_of(n))), None), "the page's upper pane")
    if pane is None:
        return 1
    before = text_of(pane)
    print("before:", before[:40])

    item = next(iter(find_all(frame, lambda n: "menu item" in role(n) and (n.name or "").startswith("繁體字"))), None)
    check(item is not None, "the 阅读 menu holds 繁體字")
    if item is None:
        return 1
    press(item)
    converted = wait_for(lambda: "鎮" in text_of(pane) and text_of(pane), "the pane in traditional characters")
    print("繁體字:", (converted or "")[:40])
    check(converted and len(converted) == len(before), "the pane shows as many characters, converted")
    check(viewer_window(app, "灵箓汇编-日常琐事") is not None, "the viewer is found by its own caption")

    press(item)
    wait_for(lambda: text_of(pane) == before, "the pane's text exactly as before")
    print("back:", text_of(pane)[:40])

    print("failures:", len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
