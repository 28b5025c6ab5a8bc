#!/usr/bin/env bash
# Runs one Windows program under Wine with the environment that tools/wine-env.sh
# prepared (prefix, display, Japanese locale).
exec wine "$@"
