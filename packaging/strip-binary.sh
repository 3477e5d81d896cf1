#!/bin/sh
# The strip cpack runs on the installed programs: as Debian's packaging
# helpers strip, also dropping the compilers' version strings in .comment.
exec strip --remove-section=.comment --remove-section=.note "$@"
