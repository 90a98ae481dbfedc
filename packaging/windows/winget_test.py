#!/usr/bin/env python3
"""Checks the winget manifests the build wrote: one identity and version in all three, their schema,
both scopes with their switches, and the SHA-256 of the installer that ships.
Usage: winget_test.py MANIFEST_FOLDER SETUP.EXE VERSION"""
import hashlib
import os
import sys

import installer_test as report
import yaml

check = report.check


def main(folder, setup, version):
    files = {kind: os.path.join(folder, "Lirbo.Lirbo" + suffix + ".yaml")
             for kind, suffix in (("version", ""), ("defaultLocale", ".locale.ru-RU"), ("installer", ".installer"))}
    manifests = {}
    for kind, path in files.items():
        text = open(path, encoding="utf-8").read()
        manifests[kind] = yaml.safe_load(text)
        schema = "https://aka.ms/winget-manifest.%s.1.6.0.schema.json" % kind
        check(text.startswith("# yaml-language-server: $schema=" + schema + "\n"), kind + " names its schema")
    for kind, manifest in manifests.items():
        check((manifest["PackageIdentifier"], manifest["PackageVersion"], manifest["ManifestType"],
               manifest["ManifestVersion"]) == ("Lirbo.Lirbo", version, kind, "1.6.0"),
              kind + ": identifier, version and type", str(manifest))
    check(manifests["version"]["DefaultLocale"] == manifests["defaultLocale"]["PackageLocale"] == "ru-RU",
          "the default locale is ru-RU in both")
    locale = manifests["defaultLocale"]
    check(all(locale.get(key) for key in ("Publisher", "PackageName", "License", "ShortDescription")),
          "the locale has the required texts")

    installer = manifests["installer"]
    digest = hashlib.sha256(open(setup, "rb").read()).hexdigest().upper()
    check(installer["InstallerType"] == "nullsoft", "installer type nullsoft")
    scopes = {entry["Scope"]: entry for entry in installer["Installers"]}
    check(sorted(scopes) == ["machine", "user"], "one installer per scope", str(sorted(scopes)))
    for scope, switch in (("user", "/CURRENTUSER"), ("machine", "/ALLUSERS")):
        entry = scopes.get(scope, {})
        check(entry.get("InstallerSwitches", {}).get("Custom") == switch, scope + " scope installs with " + switch)
        check(entry.get("InstallerSha256") == digest, scope + " scope: the hash is the installer's",
              "%s != %s" % (entry.get("InstallerSha256"), digest))
        check(entry.get("Architecture") == "x64" and
              str(entry.get("InstallerUrl", "")).endswith("/" + os.path.basename(setup)) and
              str(entry.get("InstallerUrl", "")).startswith("https://"),
              scope + " scope: x64 and an https address that names the installer", str(entry.get("InstallerUrl")))
    return 1 if report.failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(main(*sys.argv[1:]))
