"""Checks an SPDX 2.3 JSON document: the SPDX project's schema, then the rules of
SPDX 2.3 that the schema cannot express. Prints what is wrong and exits 1, or exits 0.

    /usr/bin/python3 check-spdx.py SCHEMA DOCUMENT
"""
import hashlib
import json
import re
import sys
import urllib.parse

import jsonschema


def problems(document):
    if document.get("spdxVersion") != "SPDX-2.3":
        yield "spdxVersion is not SPDX-2.3"
    if document.get("dataLicense") != "CC0-1.0":
        yield "dataLicense is not CC0-1.0"
    if document.get("SPDXID") != "SPDXRef-DOCUMENT":
        yield "the document's SPDXID is not SPDXRef-DOCUMENT"
    namespace = urllib.parse.urlsplit(document.get("documentNamespace", ""))
    if not namespace.scheme or not namespace.netloc or namespace.fragment or "#" in document["documentNamespace"]:
        yield "documentNamespace is not an absolute URI without a fragment"
    if not document.get("creationInfo", {}).get("creators"):
        yield "no creator"
    if not re.fullmatch(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ", document.get("creationInfo", {}).get("created", "")):
        yield "created is not YYYY-MM-DDThh:mm:ssZ"
    elements = [document] + document.get("packages", []) + document.get("files", [])
    ids = [element.get("SPDXID", "") for element in elements]
    for spdx_id in ids:
        if not re.fullmatch(r"SPDXRef-[A-Za-z0-9.\-]+", spdx_id):
            yield "identifier %r is not SPDXRef- followed by letters, digits, '.' and '-'" % spdx_id
    if len(set(ids)) != len(ids):
        yield "identifiers repeat"
    for relationship in document.get("relationships", []):
        for end in ("spdxElementId", "relatedSpdxElement"):
            if relationship[end] not in ids:
                yield "relationship names %r, which the document does not hold" % relationship[end]
    if not any(r["relationshipType"] == "DESCRIBES" and r["spdxElementId"] == "SPDXRef-DOCUMENT"
               for r in document.get("relationships", [])) and not document.get("documentDescribes"):
        yield "the document describes nothing"
    sha1 = {}
    for file in document.get("files", []):
        digests = {c["algorithm"]: c["checksumValue"] for c in file.get("checksums", [])}
        if not re.fullmatch(r"[0-9a-f]{40}", digests.get("SHA1", "")):
            yield "file %s has no SHA1 checksum" % file.get("fileName")
        sha1[file["SPDXID"]] = digests.get("SHA1", "")
    for package in document.get("packages", []):
        if package.get("filesAnalyzed", True):
            contained = [r["relatedSpdxElement"] for r in document.get("relationships", [])
                         if r["spdxElementId"] == package["SPDXID"] and r["relationshipType"] == "CONTAINS"
                         and r["relatedSpdxElement"] in sha1] + package.get("hasFiles", [])
            joined = "".join(sorted(sha1[f] for f in contained))
            expected = hashlib.sha1(joined.encode()).hexdigest()
            code = package.get("packageVerificationCode", {}).get("packageVerificationCodeValue")
            if code != expected:
                yield "package %s: verification code %s, where its files give %s" % (package["SPDXID"], code, expected)
        elif "packageVerificationCode" in package:
            yield "package %s has a verification code but its files were not analyzed" % package["SPDXID"]


def main():
    schema = json.load(open(sys.argv[1]))
    document = json.load(open(sys.argv[2], encoding="utf-8"))
    failed = False
    for error in jsonschema.Draft7Validator(schema).iter_errors(document):
        print("schema: %s at %s" % (error.message, "/".join(map(str, error.path))))
        failed = True
    for problem in problems(document):
        print(problem)
        failed = True
    sys.exit(1 if failed else 0)


main()
