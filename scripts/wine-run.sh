#!/usr/bin/env bash
# Runs a Windows program under Wine in the environment that scripts/wine-env.sh
# prepared (private prefix, zh_CN locale, virtual display). CTest uses it as
# the emulator of the cross build.
exec wine "$@"
