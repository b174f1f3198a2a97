#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need, and
# only those that are missing, so a second run costs nothing.
set -euo pipefail

# dpkg-dev and file: dpkg-shlibdeps, which finds the Debian package's dependencies.
# The Qt tools make the translations (lupdate, lrelease); qt6-translations-l10n
# holds Qt's own, which the tests read.
pacchetti=(cmake g++ make qt6-base-dev libicu-dev libgl-dev libx11-dev fonts-dejavu-core dpkg-dev file
           qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools qt6-translations-l10n "$@")
mancanti=()
for p in "${pacchetti[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
    echo "Installing: ${mancanti[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
fi
