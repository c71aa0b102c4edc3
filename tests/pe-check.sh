#!/usr/bin/env bash
# Checks an exe's PE header from outside: GUI subsystem and its version, ASLR and DEP,
# no section both writable and executable, and only system DLLs imported.
set -u
exe=$1 objdump=$2 minor=$3
fail=0
info=$("$objdump" -p "$exe") || { echo "cannot read $exe"; exit 1; }
check() { printf '%s\n' "$info" | grep -qE "$1" || { echo "$exe: missing: $2"; fail=1; }; }
check '^Subsystem[[:space:]]+00000002' 'Windows GUI subsystem'
check '^MajorSubsystemVersion[[:space:]]+5$' 'subsystem version 5'
check "^MinorSubsystemVersion[[:space:]]+$minor\$" "subsystem minor version $minor"
dll=$(printf '%s\n' "$info" | awk '/^DllCharacteristics/ {print $2}')
(( 0x$dll & 0x40 )) || { echo "$exe: no DYNAMIC_BASE"; fail=1; }
(( 0x$dll & 0x100 )) || { echo "$exe: no NX_COMPAT"; fail=1; }
imports=$(printf '%s\n' "$info" | awk '/DLL Name:/ {print toupper($3)}' | sort -u | tr '\n' ' ')
[ "$imports" = "GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL " ] || { echo "$exe: imports: $imports"; fail=1; }
# Section flags: a section that is both writable and executable.
wx=$("$objdump" -h "$exe" | awk '/^ *[0-9]+ / {name=$2; getline; if ($0 ~ /CODE/ && $0 !~ /READONLY/) print name}')
[ -z "$wx" ] || { echo "$exe: writable code sections: $wx"; fail=1; }
printf '%s\n' "$info" | grep -q 'reloc' || printf '%s\n' "$info" | grep -qi 'Base Relocation' || { echo "$exe: no relocations"; fail=1; }
[ "$fail" = 0 ] && echo "$exe: ok"
exit "$fail"
