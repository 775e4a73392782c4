# Sourced by the run and test scripts: installs the Debian packages that are missing.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" = 'install ok installed' ] ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing ${missing[*]} ..."
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building the program needs, with the tests that its default build holds.
build_packages=(cmake make g++ python3 qt6-base-dev libgtest-dev fonts-liberation qt6-translations-l10n)
