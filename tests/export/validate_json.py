"""Validates a JSON document against a JSON Schema (draft 2020-12); exit status 0 when valid,
1 with the first error on standard error otherwise."""
import json
import sys

import jsonschema


def main(document_path, schema_path):
    with open(schema_path, encoding="utf-8") as schema_file:
        schema = json.load(schema_file)
    with open(document_path, encoding="utf-8") as document_file:
        document = json.load(document_file)
    jsonschema.Draft202012Validator.check_schema(schema)
    errors = sorted(jsonschema.Draft202012Validator(schema).iter_errors(document), key=str)
    if errors:
        print(errors[0].message, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
